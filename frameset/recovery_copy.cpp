#include "frameset/recovery_copy.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace kadr {
namespace {

constexpr char kMagic[8] = {'K', 'A', 'D', 'R', 'R', 'E', 'C', '1'};
// A longer name is no name a file system gives; it also bounds what a damaged length can ask.
constexpr std::uint32_t kMaxNameBytes = 32768;

// FNV-1a: a damaged copy must not be offered as the user's work.
std::uint32_t Checksum(const std::uint8_t* bytes, std::size_t count) {
    std::uint32_t hash = 2166136261U;
    for (std::size_t i = 0; i < count; ++i) {
        hash = (hash ^ bytes[i]) * 16777619U;
    }
    return hash;
}

// Fills a buffer sized beforehand, so that nothing is reallocated while the copy is made.
class Writer {
  public:
    explicit Writer(std::vector<std::uint8_t>& out) : out_(out) {}
    void Int(std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out_[at_++] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
    void Bytes(const void* bytes, std::size_t count) {
        if (count > 0) {
            std::memcpy(out_.data() + at_, bytes, count);
            at_ += count;
        }
    }
    std::size_t At() const { return at_; }

  private:
    std::vector<std::uint8_t>& out_;
    std::size_t at_ = 0;
};

class Reader {
  public:
    Reader(const std::uint8_t* bytes, std::size_t count) : at_(bytes), end_(bytes + count) {}

    bool Has(std::size_t count) const { return static_cast<std::size_t>(end_ - at_) >= count; }
    std::uint64_t Int(int bytes) {
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            value |= static_cast<std::uint64_t>(*at_++) << (8 * i);
        }
        return value;
    }
    const std::uint8_t* Take(std::size_t count) {
        const std::uint8_t* taken = at_;
        at_ += count;
        return taken;
    }

  private:
    const std::uint8_t* at_;
    const std::uint8_t* end_;
};

}  // namespace

std::vector<std::uint8_t> EncodeRecoveryCopy(const FrameSet& set, std::int64_t savedAtMs) {
    const std::size_t frames = static_cast<std::size_t>(std::max(set.FrameCount(), 0));
    std::vector<std::uint8_t> out(sizeof kMagic + 8 + 4 + set.FileName.size() + 3 + 4 + 4 +
                                  frames * kFrameBytes + 4);
    Writer put(out);
    put.Bytes(kMagic, sizeof kMagic);
    put.Int(static_cast<std::uint64_t>(savedAtMs), 8);
    put.Int(set.FileName.size(), 4);
    put.Bytes(set.FileName.data(), set.FileName.size());
    put.Int(set.OrientationFlag, 1);
    put.Int(static_cast<std::uint64_t>(set.SpeedAnim), 1);
    put.Int(static_cast<std::uint64_t>(set.SpeedRow), 1);
    put.Int(static_cast<std::uint32_t>(set.LastFrame), 4);
    put.Int(static_cast<std::uint32_t>(set.CurFrame), 4);
    put.Bytes(set.Frames.data(), frames * kFrameBytes);
    put.Int(Checksum(out.data(), put.At()), 4);
    return out;
}

std::unique_ptr<RecoveryCopy> DecodeRecoveryCopy(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < sizeof kMagic + 4 || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        return nullptr;
    }
    const std::size_t body = bytes.size() - 4;
    Reader sum(bytes.data() + body, 4);
    if (sum.Int(4) != Checksum(bytes.data(), body)) {
        return nullptr;
    }
    Reader in(bytes.data() + sizeof kMagic, body - sizeof kMagic);
    auto copy = std::make_unique<RecoveryCopy>();
    FrameSet& set = copy->set;
    if (!in.Has(12)) {
        return nullptr;
    }
    copy->savedAtMs = static_cast<std::int64_t>(in.Int(8));
    const std::uint64_t nameBytes = in.Int(4);
    if (nameBytes > kMaxNameBytes || !in.Has(nameBytes + 11)) {
        return nullptr;
    }
    const auto* name = reinterpret_cast<const char*>(in.Take(nameBytes));
    set.FileName.assign(name, nameBytes);
    const auto orientation = static_cast<int>(in.Int(1));
    const auto speedAnim = static_cast<int>(in.Int(1));
    const auto speedRow = static_cast<int>(in.Int(1));
    const auto lastFrame = static_cast<std::int32_t>(in.Int(4));
    const auto curFrame = static_cast<std::int32_t>(in.Int(4));
    if (orientation > 1 || speedAnim < kMinSpeed || speedAnim > kMaxSpeed || speedRow < kMinSpeed ||
        speedRow > kMaxSpeed || lastFrame < -1 || lastFrame >= kMaxFrames || curFrame < -1 ||
        curFrame >= kMaxFrames) {
        return nullptr;
    }
    const std::size_t frames = static_cast<std::size_t>(lastFrame + 1);
    if (!in.Has(frames * kFrameBytes) || in.Has(frames * kFrameBytes + 1)) {
        return nullptr;
    }
    set.SetOrientation(orientation);
    set.SetSpeedAnim(speedAnim);
    set.SetSpeedRow(speedRow);
    set.LastFrame = lastFrame;
    set.CurFrame = curFrame;
    for (std::size_t f = 0; f < frames; ++f) {
        const std::uint8_t* cells = in.Take(kFrameBytes);
        std::copy(cells, cells + kFrameBytes, set.Frames[f].begin());
    }
    return copy;
}

bool SameDocument(const FrameSet& a, const FrameSet& b) {
    if (a.LastFrame != b.LastFrame || a.CurFrame != b.CurFrame ||
        a.OrientationFlag != b.OrientationFlag || a.SpeedAnim != b.SpeedAnim ||
        a.SpeedRow != b.SpeedRow || a.FileName != b.FileName) {
        return false;
    }
    const std::size_t frames = static_cast<std::size_t>(std::max(a.FrameCount(), 0));
    return std::equal(a.Frames.begin(), a.Frames.begin() + static_cast<std::ptrdiff_t>(frames),
                      b.Frames.begin());
}

}  // namespace kadr
