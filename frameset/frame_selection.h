#pragma once

#include <bitset>
#include <vector>

#include "frameset/frame_set.h"

namespace kadr {

// The frames the frame commands act on, picked as in a desktop list: a click picks one frame,
// Shift+click the run from the anchor to the clicked frame, Ctrl+click adds or takes out one.
// It knows frame numbers only; the document keeps the current frame among them.
class FrameSelection {
  public:
    FrameSelection() = default;
    // Just `frame`, anchored there; nothing for -1.
    static FrameSelection Only(int frame);

    bool Contains(int frame) const {
        return frame >= 0 && frame < kMaxFrames && frames_.test(static_cast<std::size_t>(frame));
    }
    int Count() const { return static_cast<int>(frames_.count()); }
    bool Empty() const { return frames_.none(); }
    int Anchor() const { return anchor_; }
    // -1 when empty.
    int First() const;
    int Last() const;
    // Ascending.
    std::vector<int> Frames() const;
    // Calls `visit(frame)` for every selected frame, ascending, without making a list.
    template <typename Visit>
    void ForEach(Visit visit) const {
        for (int frame = 0; frame < kMaxFrames; ++frame) {
            if (frames_.test(static_cast<std::size_t>(frame))) {
                visit(frame);
            }
        }
    }

    // The run between the anchor and `frame`, both included, in place of the selection or, with
    // `keep`, besides it. The anchor stays where it is (at `frame` when there was none).
    void RunTo(int frame, bool keep);
    // `frame` joins the selection and anchors the next run.
    void Add(int frame);
    // Takes `frame` out unless it is the only one; the anchor moves to `anchor` (the frame that
    // is current afterwards). False when nothing was taken out.
    bool Remove(int frame, int anchor);
    // Frames 0..count-1; the anchor stays.
    void All(int count);
    // Exactly `frames`, anchored at `anchor`.
    void Assign(const std::vector<int>& frames, int anchor);
    // The selected frame that takes over from `frame` when it is taken out: the nearest one after
    // it, else the nearest before it; -1 when there is none.
    int Neighbour(int frame) const;

    bool operator==(const FrameSelection&) const = default;

  private:
    void Set(int frame) { frames_.set(static_cast<std::size_t>(frame)); }

    std::bitset<kMaxFrames> frames_;
    int anchor_ = -1;
};

}  // namespace kadr
