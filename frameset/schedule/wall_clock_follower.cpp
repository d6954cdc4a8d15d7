#include "frameset/schedule/wall_clock_follower.h"

#include <algorithm>

namespace kadr::schedule {
namespace {

// Readings of the two clocks are not taken at the same instant; a second of disagreement is
// not a clock set back.
constexpr std::int64_t kJitterSeconds = 2;

}  // namespace

LocalSeconds WallClockFollower::Follow(std::int64_t utc, LocalSeconds local) {
    const std::int64_t offset = local - utc;
    if (lastUtc_) {
        if (utc < *lastUtc_ - kJitterSeconds) {
            held_.reset();
        } else if (offset < lastOffset_) {
            held_ = std::max(held_.value_or(lastFollowed_), lastFollowed_);
        }
    }
    lastUtc_ = utc;
    lastOffset_ = offset;
    if (held_ && local < *held_) {
        lastFollowed_ = *held_;
    } else {
        held_.reset();
        lastFollowed_ = local;
    }
    return lastFollowed_;
}

}  // namespace kadr::schedule
