// The document's selection and the commands that rearrange the selected frames.
#include <stdexcept>

#include "frameset/document.h"

namespace kadr {

const FrameSelection& Document::Selection() const {
    const FrameSet& set = *set_;
    const int current = set.HasCurrentFrame() ? set.CurFrame : -1;
    const bool fits = current < 0
                          ? selection_.Empty()
                          : selection_.Contains(current) && selection_.Last() <= set.LastFrame;
    if (!fits) {
        selection_ = FrameSelection::Only(current);
    }
    return selection_;
}

void Document::SelectCurrentAlone() const {
    selection_ = FrameSelection::Only(set_->HasCurrentFrame() ? set_->CurFrame : -1);
}

void Document::SelectFrame(int frame, Pick how) {
    FrameSet& set = *set_;
    if (frame < 0 || frame > set.LastFrame) {
        return;
    }
    const Glance before = Look();
    FrameSelection& selection = selection_;
    int current = frame;
    switch (how) {
        case Pick::Only:
            selection = FrameSelection::Only(frame);
            break;
        case Pick::Run:
        case Pick::AddRun:
            selection.RunTo(frame, how == Pick::AddRun);
            break;
        case Pick::Toggle:
            if (!selection.Contains(frame)) {
                selection.Add(frame);
            } else if (selection.Count() > 1) {
                // Taking out the current frame hands it on to the nearest selected one.
                current = frame == set.CurFrame ? selection.Neighbour(frame) : set.CurFrame;
                selection.Remove(frame, current);
            }
            break;
        case Pick::Add:
            if (!selection.Contains(frame)) {
                selection.Add(frame);
            }
            break;
    }
    set.CurFrame = current;
    Publish(before, 0U, Redraw::None);
}

void Document::SelectAll() {
    if (!set_->HasCurrentFrame()) {
        return;
    }
    const Glance before = Look();
    selection_.All(set_->FrameCount());
    Publish(before, 0U, Redraw::None);
}

void Document::SelectCurrentOnly() {
    const Glance before = Look();
    SelectCurrentAlone();
    Publish(before, 0U, Redraw::None);
}

void Document::SelectPlaces(const std::vector<int>& places, int current) {
    set_->CurFrame = current;
    selection_.Assign(places, current);
}

EditResult Document::Reordered(const FrameOrder& order, Redraw redraw) {
    FrameSet& set = *set_;
    const int count = static_cast<int>(order.frames.size());
    if (count > kMaxFrames) {
        return {EditStatus::Full, Redraw::None};
    }
    if (count == set.FrameCount() && order.KeepsEveryFrame()) {
        return {EditStatus::Unchanged, Redraw::None};
    }
    const Glance before = Look();
    history_->RecordUndo(set);
    // The frames as they were, read while the places are written over; slots past the new end
    // keep what they held, as after any deletion.
    const std::vector<Frame> was(set.Frames.begin(), set.Frames.begin() + set.FrameCount());
    for (int place = 0; place < count; ++place) {
        set.Frames[static_cast<std::size_t>(place)] =
            was[static_cast<std::size_t>(order.frames[static_cast<std::size_t>(place)])];
    }
    set.LastFrame = count - 1;
    SelectPlaces(order.selected, order.current);
    return Published(before, {EditStatus::Done, redraw});
}

template <typename Plan>
EditResult Document::ReorderSelected(Plan plan, Redraw redraw) {
    const FrameSet& set = *set_;
    if (!set.HasCurrentFrame()) {
        return {EditStatus::NoCurrentFrame, Redraw::None};
    }
    return Reordered(plan(set.FrameCount(), Selection().Frames(), set.CurFrame), redraw);
}

EditResult Document::MoveFrameLeft() {
    return ReorderSelected([](int count, const std::vector<int>& selected,
                              int current) { return BlockMoved(count, selected, current, -1); },
                           Redraw::RepaintShowingCurrent);
}

EditResult Document::MoveFrameRight() {
    return ReorderSelected([](int count, const std::vector<int>& selected,
                              int current) { return BlockMoved(count, selected, current, +1); },
                           Redraw::RepaintShowingCurrent);
}

EditResult Document::DropSelected(int before, bool copy) {
    return ReorderSelected(
        [before, copy](int count, const std::vector<int>& selected, int current) {
            return Dropped(count, selected, current, before, copy);
        },
        copy ? Redraw::RebuildShowingCurrent : Redraw::RepaintShowingCurrent);
}

EditResult Document::Duplicate() {
    return ReorderSelected(
        [](int count, const std::vector<int>& selected, int current) {
            return Dropped(count, selected, current, selected.back() + 1, true);
        },
        Redraw::RebuildShowingCurrent);
}

EditResult Document::Reverse() {
    const FrameSet& set = *set_;
    if (!set.HasCurrentFrame()) {
        return {EditStatus::NoCurrentFrame, Redraw::None};
    }
    const std::vector<int> selected = Selection().Frames();
    // Frames that read the same both ways round change nothing, so nothing is recorded.
    bool same = true;
    for (std::size_t i = 0, j = selected.size() - 1; i < j && same; ++i, --j) {
        same = set.Frames[static_cast<std::size_t>(selected[i])] ==
               set.Frames[static_cast<std::size_t>(selected[j])];
    }
    if (same) {
        return {EditStatus::Unchanged, Redraw::None};
    }
    return Reordered(Reversed(set.FrameCount(), selected, set.CurFrame), Redraw::Repaint);
}

EditResult Document::PingPong() {
    return ReorderSelected(&kadr::PingPong, Redraw::RebuildShowingCurrent);
}

EditResult Document::Repeat(int times) {
    if (times < kMinRepeat || times > kMaxRepeat) {
        throw std::out_of_range("repeat count outside 2..50");
    }
    return ReorderSelected(
        [times](int count, const std::vector<int>& selected, int current) {
            return Repeated(count, selected, current, times);
        },
        Redraw::RebuildShowingCurrent);
}

}  // namespace kadr
