#pragma once

#include "frameset/frame_set.h"

namespace kadr::testing {

// A blank animation frame, as Clear leaves one.
inline Frame BlankFrame() {
    Frame frame;
    FillBlank(frame);
    return frame;
}

}  // namespace kadr::testing
