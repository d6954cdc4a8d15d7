#include <gtest/gtest.h>

#include "frameset/document.h"
#include "frameset/errors.h"
#include "frameset/frame_kinds.h"
#include "frameset/frame_shifts.h"
#include "tests/support/frames.h"

namespace kadr {
namespace {

Frame Blank() {
    return testing::BlankFrame();
}

// A frame with one dot set, so that frames can be told apart by where their dot is.
Frame Dot(int column, int row) {
    Frame frame = Blank();
    frame[CellIndex(column, row)] = kDotSet;
    return frame;
}

bool MarksEqual(const Frame& a, const Frame& b) {
    for (int c = 0; c < kColumns; ++c) {
        if (a[CellIndex(c, 0)] != b[CellIndex(c, 0)] || a[CellIndex(c, 8)] != b[CellIndex(c, 8)]) {
            return false;
        }
    }
    return true;
}

TEST(Shifts, VerticalShiftsCrossTheSeamBetweenRowsSevenAndNine) {
    Frame frame = Dot(3, 7);
    MoveToDown(frame);
    EXPECT_EQ(frame, Dot(3, 9));
    MoveToUp(frame);
    EXPECT_EQ(frame, Dot(3, 7));

    frame = Dot(4, 1);
    MoveToUp(frame);
    EXPECT_EQ(frame, Blank()) << "row 1 falls off the top";
    frame = Dot(4, 15);
    MoveToDown(frame);
    EXPECT_EQ(frame, Blank()) << "row 15 falls off the bottom";
    frame = Dot(0, 9);
    MoveToUp(frame);
    EXPECT_EQ(frame, Dot(0, 7));
}

TEST(Shifts, HorizontalShiftsDropTheEdgeAndNeverTouchMarks) {
    Frame frame = Dot(0, 5);
    SetBegStr(frame);
    frame[CellIndex(0, 5)] = kDotSet;
    frame[CellIndex(27, 12)] = kDotSet;
    const Frame marks = frame;
    MoveToLeft(frame);
    EXPECT_EQ(frame[CellIndex(0, 5)], kDotBlank);
    EXPECT_EQ(frame[CellIndex(26, 12)], kDotSet);
    EXPECT_EQ(frame[CellIndex(27, 12)], kDotBlank);
    EXPECT_TRUE(MarksEqual(frame, marks));

    frame = Dot(27, 3);
    MoveToRight(frame);
    EXPECT_EQ(frame, Blank());

    Frame full;
    full.fill(kDotSet);
    for (int i = 0; i < 28; ++i) {
        MoveToLeft(full);
    }
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            EXPECT_EQ(full[CellIndex(c, r)], IsMarkRow(r) ? kDotSet : kDotBlank);
        }
    }
}

TEST(Kinds, EveryKindIsWrittenToBothMarkRowsAndReadBack) {
    struct Case {
        void (*set)(Frame&);
        FrameKind kind;
        std::uint8_t inner;
        std::uint8_t last;
        bool clearsPicture;
    };
    for (const Case& c :
         {Case{SetAnim, fkAnim, 1, 1, false}, Case{SetBegStr, fkBegStr, 1, 0, true},
          Case{SetStr, fkStr, 0, 0, false}, Case{SetEndStr, fkEndStr, 0, 1, true}}) {
        Frame frame = Dot(10, 10);
        c.set(frame);
        EXPECT_EQ(GetFrameKind(frame), c.kind);
        for (int col = 0; col < kColumns; ++col) {
            const std::uint8_t expected = col % 7 == 6 ? c.last : c.inner;
            EXPECT_EQ(frame[CellIndex(col, 0)], expected) << col;
            EXPECT_EQ(frame[CellIndex(col, 8)], expected) << col;
        }
        EXPECT_EQ(frame[CellIndex(10, 10)], c.clearsPicture ? kDotBlank : kDotSet);
    }
    EXPECT_EQ(GetFrameKind(Blank()), fkAnim);

    Frame mixed = Blank();
    SetEndStr(mixed);
    mixed[CellIndex(5, 0)] = 1;
    mixed[CellIndex(6, 0)] = 0;  // only the two marks of h4 decide
    EXPECT_EQ(GetFrameKind(mixed), fkBegStr);
    mixed[CellIndex(6, 0)] = 2;
    EXPECT_EQ(GetFrameKind(mixed), std::nullopt);
    EXPECT_FALSE(IsRunningLineBoundary(mixed));
}

TEST(Document, StartsWithOneBlankCurrentFrameAndNothingToUndo) {
    Document document;
    EXPECT_EQ(document.Set().LastFrame, 0);
    EXPECT_EQ(document.Set().CurFrame, 0);
    EXPECT_EQ(document.Set().Frames[0], Blank());
    EXPECT_EQ(document.Set().Frames[255], Blank());
    EXPECT_FALSE(document.Modified());
}

TEST(Document, AddCopiesTheCurrentFrameToTheEnd) {
    Document document;
    FrameSet& set = document.Set();
    document.Add();
    document.Add();
    set.Frames[1] = Dot(1, 1);
    SetBegStr(set.Frames[0]);
    set.CurFrame = 0;
    const EditResult result = document.Add();
    EXPECT_EQ(result.redraw, Redraw::RebuildToEnd);
    EXPECT_EQ(set.LastFrame, 3);
    EXPECT_EQ(set.CurFrame, 3);
    EXPECT_EQ(GetFrameKind(set.Frames[3]), fkBegStr);
    EXPECT_EQ(set.Frames[1], Dot(1, 1));
}

TEST(Document, AddWithoutACurrentFrameAppendsABlankFrame) {
    Document document;
    FrameSet& set = document.Set();
    set.Frames[0] = Dot(2, 2);
    set.Frames[1] = Dot(3, 3);  // stale content of a slot not in use
    set.CurFrame = -1;
    document.Add();
    EXPECT_EQ(set.Frames[1], Blank());
    EXPECT_EQ(set.CurFrame, 1);
}

TEST(Document, InsertPushesFramesUpFromTheCurrentOne) {
    Document document;
    FrameSet& set = document.Set();
    set.LastFrame = 2;
    for (int f = 0; f < 3; ++f) {
        set.Frames[static_cast<std::size_t>(f)] = Dot(f, 1);
    }
    set.CurFrame = 0;
    EXPECT_EQ(document.Insert().redraw, Redraw::Rebuild);
    EXPECT_EQ(set.LastFrame, 3);
    EXPECT_EQ(set.CurFrame, 0);
    EXPECT_EQ(set.Frames[0], Blank());
    EXPECT_EQ(set.Frames[1], Dot(0, 1));
    EXPECT_EQ(set.Frames[3], Dot(2, 1));
    EXPECT_EQ(document.History().Position(), 1);
}

TEST(Document, InsertOnAnEmptySetIsAddWithOneUndoStep) {
    Document document;
    document.Delete();
    ASSERT_EQ(document.Set().LastFrame, -1);
    ASSERT_EQ(document.Set().CurFrame, -1);
    const int before = document.History().Position();
    document.Insert();
    EXPECT_EQ(document.Set().LastFrame, 0);
    EXPECT_EQ(document.Set().CurFrame, 0);
    EXPECT_EQ(document.Set().Frames[0], Blank());
    EXPECT_EQ(document.History().Position(), before + 1);
}

TEST(Document, DeleteKeepsTheIndexOrFollowsTheLastFrame) {
    Document document;
    FrameSet& set = document.Set();
    set.LastFrame = 3;
    for (int f = 0; f < 4; ++f) {
        set.Frames[static_cast<std::size_t>(f)] = Dot(f, 2);
    }
    set.CurFrame = 1;
    document.Delete();
    EXPECT_EQ(set.LastFrame, 2);
    EXPECT_EQ(set.CurFrame, 1);
    EXPECT_EQ(set.Frames[1], Dot(2, 2));
    EXPECT_EQ(set.Frames[2], Dot(3, 2));
    set.CurFrame = 2;
    document.Delete();
    EXPECT_EQ(set.CurFrame, 1);
    document.Delete();
    document.Delete();
    EXPECT_EQ(set.LastFrame, -1);
    EXPECT_EQ(set.CurFrame, -1);
    const int steps = document.History().Position();
    const EditResult onEmpty = document.Delete();
    EXPECT_EQ(onEmpty.redraw, Redraw::None);
    EXPECT_EQ(document.History().Position(), steps + 1)
        << "deleting from an empty set is an undoable edit";
    document.Undo();
    document.Undo();
    EXPECT_EQ(set.LastFrame, 0) << "the deleted frame is back";
    EXPECT_EQ(set.CurFrame, -1) << "but nothing raises CurFrame";
    EXPECT_EQ(set.Frames[0], Dot(0, 2));
}

TEST(Document, CommandsOnTheCurrentFrameDoNothingWithoutOne) {
    Document document;
    FrameSet& set = document.Set();
    document.Add();
    set.CurFrame = -1;
    MemoryClipboard clipboard;
    clipboard.WriteFrame(Dot(1, 1));
    using Command = EditResult (Document::*)();
    for (Command command :
         {&Document::Clear, &Document::Insert, &Document::Delete, &Document::MoveToLeft,
          &Document::MoveToRight, &Document::MoveToUp, &Document::MoveToDown, &Document::SetAnim,
          &Document::SetBegStr, &Document::SetStr, &Document::SetEndStr}) {
        EXPECT_EQ((document.*command)().status, EditStatus::NoCurrentFrame);
    }
    EXPECT_EQ(document.Paste(clipboard).status, EditStatus::NoCurrentFrame);
    EXPECT_FALSE(document.Copy(clipboard));
    EXPECT_EQ(document.History().Position(), 1);
    EXPECT_EQ(set.LastFrame, 1);
}

TEST(Document, TheSetNeverGrowsBeyond256Frames) {
    Document document;
    FrameSet& set = document.Set();
    document.New(256);
    set.CurFrame = 10;
    EXPECT_EQ(document.Add().status, EditStatus::Full);
    EXPECT_EQ(document.Insert().status, EditStatus::Full);
    EXPECT_EQ(set.LastFrame, 255);
    EXPECT_FALSE(document.Modified());
    EXPECT_THROW(document.New(257), std::out_of_range);
    EXPECT_THROW(document.New(-1), std::out_of_range);
}

TEST(Document, NewResetsSettingsAndHistoryButNotTheCurrentFrame) {
    Document document;
    FrameSet& set = document.Set();
    document.Add();
    document.Add();
    set.SetSpeedAnim(30);
    set.SetSpeedRow(40);
    set.SetOrientation(1);
    set.FileName = "/tmp/x.kdz";
    document.New(3);
    EXPECT_EQ(set.LastFrame, 2);
    EXPECT_EQ(set.CurFrame, 2);
    EXPECT_EQ(set.SpeedAnim, 1);
    EXPECT_EQ(set.SpeedRow, 1);
    EXPECT_EQ(set.OrientationFlag, 0);
    EXPECT_TRUE(set.FileName.empty());
    EXPECT_FALSE(document.Modified());
    document.New(0);
    EXPECT_EQ(set.LastFrame, -1);
    document.LowerCurFrameTo(set.LastFrame);
    EXPECT_EQ(set.CurFrame, -1);
}

TEST(Document, DotTogglesFollowTheGridRules) {
    Document document;
    FrameSet& set = document.Set();
    EXPECT_TRUE(document.ToggleDot(0, 4, 3));
    EXPECT_EQ(set.Cell(0, 4, 3), kDotSet);
    EXPECT_TRUE(document.ToggleDot(0, 4, 3));
    EXPECT_EQ(set.Cell(0, 4, 3), kDotBlank);
    EXPECT_TRUE(document.ToggleDot(0, 27, 8));  // grid row 8 is frame row 9
    EXPECT_EQ(set.Cell(0, 27, 9), kDotSet);
    EXPECT_EQ(set.Cell(0, 27, 8), kDotBlank);
    EXPECT_TRUE(document.ToggleDot(0, 0, 14));
    EXPECT_EQ(set.Cell(0, 0, 15), kDotSet);
    EXPECT_FALSE(document.ToggleDot(0, 5, 0)) << "the mark row never toggles";
    EXPECT_FALSE(document.Modified()) << "dots record no undo step";

    SetBegStr(set.Frames[0]);
    set.Frames[0][CellIndex(3, 3)] = kDotSet;  // e.g. read from a file
    EXPECT_FALSE(document.ToggleDot(0, 3, 3));
    EXPECT_EQ(set.Cell(0, 3, 3), kDotSet);
    SetEndStr(set.Frames[0]);
    EXPECT_FALSE(document.ToggleDot(0, 1, 1));
    SetStr(set.Frames[0]);
    EXPECT_TRUE(document.ToggleDot(0, 1, 1));
}

TEST(Document, CopyAndPasteCarryTheWholeFrameAndPasteIsUndoable) {
    Document document;
    FrameSet& set = document.Set();
    MemoryClipboard clipboard;
    SetBegStr(set.Frames[0]);
    set.Frames[0][CellIndex(2, 2)] = kDotSet;
    EXPECT_TRUE(document.Copy(clipboard));
    EXPECT_FALSE(document.Modified()) << "Copy is no edit";
    document.Add();
    set.Frames[1] = Dot(9, 9);
    EXPECT_EQ(document.Paste(clipboard).redraw, Redraw::Repaint);
    EXPECT_EQ(set.Frames[1], set.Frames[0]);
    document.Undo();
    EXPECT_EQ(set.Frames[1], Dot(9, 9));
}

TEST(Document, PasteHandlesForeignAndBrokenPayloads) {
    Document document;
    FrameSet& set = document.Set();
    MemoryClipboard clipboard;
    set.Frames[0] = Dot(1, 1);

    EXPECT_TRUE(document.Paste(clipboard).Applied()) << "no frame on the clipboard";
    EXPECT_EQ(set.Frames[0], Dot(1, 1));
    EXPECT_EQ(document.History().Position(), 1) << "the step is recorded all the same";

    std::vector<std::uint8_t> longer(500, 7);
    longer[0] = 0;
    longer[30] = 0;
    clipboard.SetRaw(longer);
    document.Paste(clipboard);
    Frame expected = Blank();
    expected[0] = 0;
    expected[30] = 0;
    EXPECT_EQ(set.Frames[0], expected) << "extra bytes ignored, odd bytes become blank";

    clipboard.SetRaw(std::vector<std::uint8_t>(447, 0));
    try {
        document.Paste(clipboard);
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    EXPECT_EQ(set.Frames[0], expected);
    EXPECT_EQ(document.History().Position(), 3);
}

}  // namespace
}  // namespace kadr
