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

// Frames told apart at a glance: "a" has one dot in column 0, "b" in column 1, and so on.
inline Frame LetterFrame(char letter) {
    Frame frame = BlankFrame();
    frame[CellIndex(letter - 'a', 3)] = kDotSet;
    return frame;
}

// The frames in use as their letters; '?' for a frame that is none of them.
inline std::string Letters(const FrameSet& set) {
    std::string letters;
    for (int f = 0; f < set.FrameCount(); ++f) {
        char found = '?';
        for (char c = 'a'; c <= 'z'; ++c) {
            found = set.Frames[static_cast<std::size_t>(f)] == LetterFrame(c) ? c : found;
        }
        letters += found;
    }
    return letters;
}

// The frame set a file holds, read the way the editor opens it.
inline FrameSet ReadFrameSet(const std::string& path) {
    FrameSet set;
    ReadFrameSetFile(path, set);
    return set;
}

}  // namespace kadr::testing
