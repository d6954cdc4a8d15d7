#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "frameset/frame_set.h"

namespace kadr {

// What a crash must not take away: the whole document as the window holds it (the frames in
// use, the current frame, the speeds, the orientation and the file name, which may be empty)
// and when the copy was made. Neither file format keeps the current frame or a file name, so a
// recovery copy has a format of its own; a copy cut short or damaged reads as none.
struct RecoveryCopy {
    FrameSet set;
    std::int64_t savedAtMs = 0;  // milliseconds since 1970-01-01 UTC
};

std::vector<std::uint8_t> EncodeRecoveryCopy(const FrameSet& set, std::int64_t savedAtMs);
// Null for anything that is not a whole, intact copy.
std::unique_ptr<RecoveryCopy> DecodeRecoveryCopy(const std::vector<std::uint8_t>& bytes);

// Whether two documents would give the same recovery copy: frames in use, current frame,
// settings and file name. Frame slots above LastFrame do not count.
bool SameDocument(const FrameSet& a, const FrameSet& b);

}  // namespace kadr
