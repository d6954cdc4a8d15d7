#include "tests/device/upload_rig.h"

#include "frameset/frame_codec.h"
#include "tests/device/event_loop.h"

namespace kadr::testing {

UploadRig::UploadRig(const FakeDevice& device) {
    comm.PortName = device.Path();
    comm.BaudRate = TBaudRate::__56000;
    comm.Parity = TParity::None;
    comm.DataBits = TDataBits::_8;
    comm.StopBits = TStopBits::_1;
    comm.DTR = true;
    comm.RTS = true;
}

std::optional<UploadOutcome> UploadRig::Run() {
    owner.outcome.reset();
    upload.RxSpeedButton1Click();
    RunEventsUntil([this] { return owner.outcome.has_value(); }, std::chrono::seconds(30));
    return owner.outcome;
}

Bytes HandshakeBytes(const FrameSet& set) {
    const Header header = EncodeHeader(set);
    Bytes packet{0xFE, 0x08, 0x00};
    packet.insert(packet.end(), header.begin(), header.end());
    unsigned sum = 0;
    for (std::size_t i = 2; i < packet.size(); ++i) {
        sum += packet[i];
    }
    packet.push_back(static_cast<std::uint8_t>(sum & 0xFF));
    packet.push_back(static_cast<std::uint8_t>((sum >> 8) & 0xFF));
    return packet;
}

Bytes ExpectedDataPacket(const std::uint8_t* bytes, std::size_t count) {
    Bytes packet{0xFE, 0x43, 0x01};
    packet.insert(packet.end(), bytes, bytes + count);
    packet.resize(3 + 64, 0xFF);
    unsigned sum = 1;
    for (std::size_t i = 3; i < packet.size(); ++i) {
        sum += packet[i];
    }
    packet.push_back(static_cast<std::uint8_t>(sum & 0xFF));
    packet.push_back(static_cast<std::uint8_t>((sum >> 8) & 0xFF));
    return packet;
}

Bytes RecordsOf(const FrameSet& set) {
    Bytes records;
    for (int f = 0; f <= set.LastFrame; ++f) {
        const FrameRecord record = EncodeFrame(set.Frames[static_cast<std::size_t>(f)]);
        records.insert(records.end(), record.begin(), record.end());
    }
    return records;
}

std::vector<Bytes> OfType(const std::vector<Bytes>& packets, std::uint8_t type) {
    std::vector<Bytes> result;
    for (const Bytes& packet : packets) {
        if (packet.size() > 2 && packet[2] == type) {
            result.push_back(packet);
        }
    }
    return result;
}

}  // namespace kadr::testing
