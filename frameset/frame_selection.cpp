#include "frameset/frame_selection.h"

#include <algorithm>

namespace kadr {

FrameSelection FrameSelection::Only(int frame) {
    FrameSelection selection;
    if (frame >= 0 && frame < kMaxFrames) {
        selection.Set(frame);
        selection.anchor_ = frame;
    }
    return selection;
}

int FrameSelection::First() const {
    for (int frame = 0; frame < kMaxFrames; ++frame) {
        if (Contains(frame)) {
            return frame;
        }
    }
    return -1;
}

int FrameSelection::Last() const {
    for (int frame = kMaxFrames - 1; frame >= 0; --frame) {
        if (Contains(frame)) {
            return frame;
        }
    }
    return -1;
}

std::vector<int> FrameSelection::Frames() const {
    std::vector<int> frames;
    frames.reserve(static_cast<std::size_t>(Count()));
    ForEach([&frames](int frame) { frames.push_back(frame); });
    return frames;
}

void FrameSelection::RunTo(int frame, bool keep) {
    if (frame < 0 || frame >= kMaxFrames) {
        return;
    }
    if (anchor_ < 0) {
        anchor_ = frame;
    }
    if (!keep) {
        frames_.reset();
    }
    for (int f = std::min(anchor_, frame); f <= std::max(anchor_, frame); ++f) {
        Set(f);
    }
}

void FrameSelection::Add(int frame) {
    if (frame >= 0 && frame < kMaxFrames) {
        Set(frame);
        anchor_ = frame;
    }
}

bool FrameSelection::Remove(int frame, int anchor) {
    if (!Contains(frame) || Count() == 1) {
        return false;
    }
    frames_.reset(static_cast<std::size_t>(frame));
    anchor_ = anchor;
    return true;
}

void FrameSelection::All(int count) {
    frames_.reset();
    for (int frame = 0; frame < std::min(count, kMaxFrames); ++frame) {
        Set(frame);
    }
}

void FrameSelection::Assign(const std::vector<int>& frames, int anchor) {
    frames_.reset();
    for (const int frame : frames) {
        if (frame >= 0 && frame < kMaxFrames) {
            Set(frame);
        }
    }
    anchor_ = anchor;
}

int FrameSelection::Neighbour(int frame) const {
    for (int after = frame + 1; after < kMaxFrames; ++after) {
        if (Contains(after)) {
            return after;
        }
    }
    for (int before = frame - 1; before >= 0; --before) {
        if (Contains(before)) {
            return before;
        }
    }
    return -1;
}

}  // namespace kadr
