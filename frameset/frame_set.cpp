#include "frameset/frame_set.h"

#include <algorithm>

namespace kadr {

void FillBlank(Frame& frame) {
    frame.fill(kDotBlank);
}

int ClampSpeed(long long value) {
    return static_cast<int>(std::clamp<long long>(value, kMinSpeed, kMaxSpeed));
}

FrameSet::FrameSet() {
    FillAllBlank();
}

void FrameSet::FillAllBlank() {
    for (Frame& frame : Frames) {
        FillBlank(frame);
    }
}

}  // namespace kadr
