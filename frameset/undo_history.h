#pragma once

#include <cstdint>
#include <memory>

#include "frameset/frame_set.h"

namespace kadr {

// Whole-document snapshots: up to 64 steps back and forward again. All 65 snapshots are
// allocated once, so recording, undoing and redoing never allocate.
class UndoHistory {
  public:
    static constexpr int kDepth = 64;

    UndoHistory();

    // Called first by every recorded edit, before it changes anything.
    void RecordUndo(const FrameSet& set);
    // Both do nothing and return false while disabled. They restore the frames and LastFrame
    // only: settings, CurFrame and FileName are not part of a snapshot.
    bool Undo(FrameSet& set);
    bool Redo(FrameSet& set);
    void ClearUndo();

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < limit_; }
    bool HasUnsavedChanges() const { return position_ > 0; }
    int Position() const { return position_; }
    int Limit() const { return limit_; }

  private:
    struct Snapshot {
        FrameBuffer Frames;
        std::int32_t LastFrame;
    };
    static constexpr int kSlots = kDepth + 1;

    // Slots form a ring: dropping the oldest step when full moves the ring's start instead of
    // copying 63 snapshots (7 MiB) down one place.
    Snapshot& Slot(int logical) {
        return slots_[static_cast<std::size_t>((base_ + logical) % kSlots)];
    }
    void Store(int logical, const FrameSet& set);
    void Restore(int logical, FrameSet& set);

    std::unique_ptr<Snapshot[]> slots_;
    int base_ = 0;
    int position_ = 0;  // P: steps that can be undone
    int limit_ = 0;     // T: how far Redo can go
};

}  // namespace kadr
