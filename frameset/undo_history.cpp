#include "frameset/undo_history.h"

namespace kadr {

UndoHistory::UndoHistory() : slots_(std::make_unique<Snapshot[]>(kSlots)) {}

void UndoHistory::Store(int logical, const FrameSet& set) {
    Snapshot& slot = Slot(logical);
    slot.Frames = set.Frames;
    slot.LastFrame = set.LastFrame;
}

void UndoHistory::Restore(int logical, FrameSet& set) {
    const Snapshot& slot = Slot(logical);
    set.Frames = slot.Frames;
    set.LastFrame = slot.LastFrame;
}

void UndoHistory::RecordUndo(const FrameSet& set) {
    if (position_ < kDepth) {
        Store(position_, set);
        ++position_;
    } else {
        base_ = (base_ + 1) % kSlots;  // the oldest step falls out
        Store(kDepth - 1, set);
    }
    limit_ = position_;
}

bool UndoHistory::Undo(FrameSet& set) {
    if (!CanUndo()) {
        return false;
    }
    if (position_ == limit_) {
        Store(position_, set);  // so that Redo can come back to where we are now
    }
    --position_;
    Restore(position_, set);
    return true;
}

bool UndoHistory::Redo(FrameSet& set) {
    if (!CanRedo()) {
        return false;
    }
    ++position_;
    Restore(position_, set);
    return true;
}

void UndoHistory::ClearUndo() {
    position_ = 0;
    limit_ = 0;
}

}  // namespace kadr
