#pragma once

#include <string>

#include "frameset/frame_set.h"
#include "frameset/frame_set_files.h"

namespace kadr::testing {

// A blank animation frame, as Clear leaves one.
inline Frame BlankFrame() {
    Frame frame;
    FillBlank(frame);
    return frame;
}

// The frame set a file holds, read the way the editor opens it.
inline FrameSet ReadFrameSet(const std::string& path) {
    FrameSet set;
    ReadFrameSetFile(path, set);
    return set;
}

}  // namespace kadr::testing
