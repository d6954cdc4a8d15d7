#include "device/display_unit.h"

#include <algorithm>

#include "frameset/frame_codec.h"

namespace kadr {
namespace {

constexpr std::uint8_t kHandshakeLength = kHandshakePacketBytes - 2;
constexpr std::uint8_t kDataLength = kDataPacketBytes - 2;

bool SoundHeader(const std::uint8_t* header) {
    const int frames = header[3] | (header[4] << 8);
    return header[0] <= 1 && header[1] >= kMinSpeed && header[1] <= kMaxSpeed &&
           header[2] >= kMinSpeed && header[2] <= kMaxSpeed && frames <= kMaxFrames;
}

}  // namespace

DisplayUnit::DisplayUnit() : received_(std::make_unique<FrameSet>()) {
    received_->LastFrame = -1;
}

long DisplayUnit::PacketAtFront() const {
    if (pending_.size() < 2) {
        return 0;
    }
    const std::uint8_t length = pending_[1];
    if (length != kHandshakeLength && length != kDataLength) {
        return -1;
    }
    const std::size_t total = std::size_t{length} + 2;
    return pending_.size() < total ? 0 : static_cast<long>(total);
}

std::vector<DisplayUnit::Answer> DisplayUnit::Feed(const std::uint8_t* bytes, std::size_t count) {
    std::vector<Answer> answers;
    // Position of the fed bytes' first byte within pending_, moving left as the front goes.
    long fedStart = static_cast<long>(pending_.size());
    pending_.insert(pending_.end(), bytes, bytes + count);
    const auto drop = [&](std::size_t n) {
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(n));
        fedStart -= static_cast<long>(n);
    };
    for (;;) {
        const auto start = std::find(pending_.begin(), pending_.end(), kPacketStart);
        drop(static_cast<std::size_t>(start - pending_.begin()));
        if (pending_.empty()) {
            break;
        }
        const long total = PacketAtFront();
        if (total == 0) {
            break;
        }
        bool completed = false;
        if (total < 0 || !Accept(pending_.data(), completed)) {
            drop(1);
            continue;
        }
        Answer answer;
        answer.lastByte = static_cast<std::size_t>(total - 1 - fedStart);
        answer.reply = BuildReply(pending_[2]);
        answer.completed = completed;
        answers.push_back(answer);
        drop(static_cast<std::size_t>(total));
    }
    return answers;
}

bool DisplayUnit::Accept(const std::uint8_t* packet, bool& completed) {
    const std::size_t length = packet[1];
    const std::uint8_t type = packet[2];
    const std::uint16_t sum =
        static_cast<std::uint16_t>(packet[length] | (packet[length + 1] << 8));
    if (sum != PacketChecksum(packet + 2, length - 2)) {
        return false;
    }
    if (length == kHandshakeLength) {
        if (type != kTypeHandshake || !SoundHeader(packet + 3)) {
            return false;
        }
        // Every handshake starts over: the editor repeats it until one is answered.
        std::copy(packet + 3, packet + 3 + kHeaderBytes, header_.begin());
        expectedBytes_ = static_cast<std::size_t>(header_[3] | (header_[4] << 8)) * kRecordBytes;
        data_.clear();
        receiving_ = true;
        return true;
    }
    if (type != kTypeData) {
        return false;
    }
    if (!receiving_) {
        return true;  // answered, but there is no upload to store it in
    }
    const std::uint8_t* payload = packet + 3;
    const std::size_t wanted = std::min(kDataPayloadBytes, expectedBytes_ - data_.size());
    if (!std::all_of(payload + wanted, payload + kDataPayloadBytes,
                     [](std::uint8_t b) { return b == kDataFill; })) {
        return false;
    }
    data_.insert(data_.end(), payload, payload + wanted);
    if (data_.size() == expectedBytes_) {
        Complete();
        completed = true;
    }
    return true;
}

void DisplayUnit::Complete() {
    receiving_ = false;
    ++completed_;
    auto set = std::make_unique<FrameSet>();
    ApplyHeader(header_.data(), *set);
    const int frames = static_cast<int>(expectedBytes_ / kRecordBytes);
    set->LastFrame = frames - 1;
    set->CurFrame = frames > 0 ? 0 : -1;
    for (int f = 0; f < frames; ++f) {
        DecodeFrame(data_.data() + static_cast<std::size_t>(f) * kRecordBytes,
                    set->Frames[static_cast<std::size_t>(f)]);
    }
    received_ = std::move(set);
}

}  // namespace kadr
