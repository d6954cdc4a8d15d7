#include "frameset/playback/playback_input.h"

#include <algorithm>

namespace kadr::playback {

bool PlaybackInput::Update(const FrameSet& set) {
    const auto count = static_cast<std::size_t>(std::clamp(set.FrameCount(), 0, kMaxFrames));
    const auto begin = set.Frames.begin();
    const bool same = kept_ && speedAnim_ == set.SpeedAnim && speedRow_ == set.SpeedRow &&
                      frames_.size() == count && std::equal(frames_.begin(), frames_.end(), begin);
    if (same) {
        return false;
    }
    kept_ = true;
    speedAnim_ = set.SpeedAnim;
    speedRow_ = set.SpeedRow;
    frames_.assign(begin, begin + static_cast<std::ptrdiff_t>(count));
    return true;
}

}  // namespace kadr::playback
