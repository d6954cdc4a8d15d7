#include <gtest/gtest.h>

#include "frameset/document.h"
#include "frameset/undo_history.h"

namespace kadr {
namespace {

// Marks edit number n so that each state can be told apart: frame 0 holds n in its first
// cells as a little binary number, and LastFrame varies too.
void Stamp(FrameSet& set, int n) {
    for (int bit = 0; bit < 9; ++bit) {
        set.Frames[0][static_cast<std::size_t>(20 + bit)] =
            static_cast<std::uint8_t>((n >> bit) & 1);
    }
    set.LastFrame = n % 7;
}

int StampOf(const FrameSet& set) {
    int n = 0;
    for (int bit = 0; bit < 9; ++bit) {
        n |= set.Frames[0][static_cast<std::size_t>(20 + bit)] << bit;
    }
    return n;
}

// Applies `edits` recorded edits; the state after edit n carries stamp n.
void Edit(UndoHistory& history, FrameSet& set, int from, int edits) {
    for (int n = from; n < from + edits; ++n) {
        history.RecordUndo(set);
        Stamp(set, n);
    }
}

TEST(UndoHistory, SixtyFourStepsGoBackToTheStart) {
    UndoHistory history;
    FrameSet set;
    Stamp(set, 0);
    Edit(history, set, 1, 64);
    EXPECT_EQ(history.Position(), 64);
    for (int i = 63; i >= 0; --i) {
        ASSERT_TRUE(history.Undo(set));
        EXPECT_EQ(StampOf(set), i);
        EXPECT_EQ(set.LastFrame, i % 7);
    }
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.HasUnsavedChanges());
    EXPECT_FALSE(history.Undo(set));
    EXPECT_EQ(StampOf(set), 0);
    // ...and all the way forward again, the newest state included.
    for (int i = 1; i <= 64; ++i) {
        ASSERT_TRUE(history.Redo(set));
        EXPECT_EQ(StampOf(set), i);
    }
    EXPECT_FALSE(history.CanRedo());
}

TEST(UndoHistory, WhenFullTheOldestStepFallsOut) {
    UndoHistory history;
    FrameSet set;
    Stamp(set, 0);
    Edit(history, set, 1, 65 + 70);  // wraps the ring more than twice
    for (int i = 0; i < 64; ++i) {
        ASSERT_TRUE(history.Undo(set));
    }
    EXPECT_EQ(StampOf(set), 135 - 64);
    EXPECT_EQ(set.LastFrame, (135 - 64) % 7);
    EXPECT_FALSE(history.Undo(set));
    for (int i = 0; i < 64; ++i) {
        ASSERT_TRUE(history.Redo(set));
    }
    EXPECT_EQ(StampOf(set), 135);
}

TEST(UndoHistory, UndoUndoRedoRedoEndsAtTheNewestState) {
    UndoHistory history;
    FrameSet set;
    Edit(history, set, 1, 5);
    history.Undo(set);
    history.Undo(set);
    EXPECT_EQ(StampOf(set), 3);
    EXPECT_EQ(history.Position(), 3);
    EXPECT_EQ(history.Limit(), 5);
    history.Redo(set);
    history.Redo(set);
    EXPECT_EQ(StampOf(set), 5);
    EXPECT_EQ(set.LastFrame, 5);
    EXPECT_TRUE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
}

TEST(UndoHistory, AnEditAfterUndoDropsTheUndoneStates) {
    UndoHistory history;
    FrameSet set;
    Edit(history, set, 1, 4);
    history.Undo(set);
    history.Undo(set);
    Edit(history, set, 50, 1);
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Position(), 3);
    EXPECT_EQ(history.Limit(), 3);
    EXPECT_FALSE(history.Redo(set));
    history.Undo(set);
    EXPECT_EQ(StampOf(set), 2);
    history.Redo(set);
    EXPECT_EQ(StampOf(set), 50);  // the first Undo after the edit kept the newest state
}

TEST(UndoHistory, FullHistoryUndoThenEditKeepsSixtyFourSteps) {
    UndoHistory history;
    FrameSet set;
    Edit(history, set, 1, 64);
    history.Undo(set);  // stores the state after edit 64 in the spare slot
    Edit(history, set, 100, 2);
    EXPECT_EQ(history.Position(), 64);
    history.Undo(set);
    EXPECT_EQ(StampOf(set), 100);
    history.Undo(set);
    EXPECT_EQ(StampOf(set), 63);
}

TEST(UndoHistory, ClearForgetsEverythingButNotTheDocument) {
    UndoHistory history;
    FrameSet set;
    Edit(history, set, 1, 3);
    history.Undo(set);
    history.ClearUndo();
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(StampOf(set), 2);
}

TEST(UndoHistory, SnapshotsRestoreFramesNotSettingsOrSelection) {
    Document document;
    FrameSet& set = document.Set();
    document.Add();
    document.Add();
    ASSERT_EQ(set.CurFrame, 2);
    set.SetSpeedAnim(20);
    set.SetOrientation(1);
    set.FileName = "/x.kdz";
    document.Undo();
    EXPECT_EQ(set.LastFrame, 1);
    EXPECT_EQ(set.CurFrame, 2) << "the view, not the history, lowers CurFrame";
    EXPECT_EQ(set.SpeedAnim, 20);
    EXPECT_EQ(set.OrientationFlag, 1);
    EXPECT_EQ(set.FileName, "/x.kdz");
}

}  // namespace
}  // namespace kadr
