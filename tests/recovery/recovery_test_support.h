#pragma once

#include <cstdint>
#include <string>

#include "frameset/frame_set.h"

namespace kadr::testing {

// Leaves in `folder` the copy of `set` made at `savedAtMs` by an editor process that then died
// without removing its lock; returns the copy's path.
std::string MakeOrphan(const std::string& folder, const FrameSet& set, std::int64_t savedAtMs);

}  // namespace kadr::testing
