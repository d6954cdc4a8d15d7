#pragma once

#include <vector>

namespace kadr {

// How a command on several frames rearranges the set, worked out on frame numbers alone, so that
// every rule can be checked on short lists before a single frame is copied.
struct FrameOrder {
    // frames[i] is the frame (numbered as before the command) that stands at place i afterwards;
    // a frame that appears twice is copied.
    std::vector<int> frames;
    std::vector<int> selected;  // the places selected afterwards, ascending
    int current = -1;           // the place current afterwards, one of them

    // Every frame stays in its place.
    bool KeepsEveryFrame() const;
};

// In each, `selected` lists places of a set of `count` frames, ascending, at least one, and
// `current` is one of them.

// The selected frames go; the frame after the last of them (or the new last frame) becomes
// current alone, -1 when none is left.
FrameOrder WithoutSelected(int count, const std::vector<int>& selected);
// The selected frames, in their order, go before the frame now at place `before` (0..count; count
// is the end). Moved, they close up and the others keep their order; copied, the originals stay.
// The moved or copied frames are selected afterwards, the current one's among them current.
FrameOrder Dropped(int count, const std::vector<int>& selected, int current, int before, bool copy);
// The block of selected frames past its neighbour on the left (-1) or right (+1): a selection
// with gaps closes up around that move; at the end of the set it only closes up.
FrameOrder BlockMoved(int count, const std::vector<int>& selected, int current, int direction);
// The selected places take their frames in reverse order; the selection stays.
FrameOrder Reversed(int count, const std::vector<int>& selected, int current);
// After the last selected frame, the selected frames back again without the last and the first
// (1 2 3 4 -> 1 2 3 4 3 2); the frames put in are selected. Fewer than three: nothing.
FrameOrder PingPong(int count, const std::vector<int>& selected, int current);
// Each selected frame `times` times in its place; every copy is selected, the first copy of the
// current frame current.
FrameOrder Repeated(int count, const std::vector<int>& selected, int current, int times);

}  // namespace kadr
