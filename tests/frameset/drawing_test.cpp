#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

#include "frameset/document.h"
#include "frameset/drawing/paint.h"
#include "frameset/drawing/shapes.h"
#include "frameset/drawing/tools.h"
#include "frameset/drawing/transforms.h"
#include "frameset/frame_kinds.h"
#include "tests/support/frames.h"

namespace kadr {
namespace {

Frame Blank() {
    return testing::BlankFrame();
}

Frame Random(std::mt19937& random) {
    Frame frame;
    for (auto& cell : frame) {
        cell = static_cast<std::uint8_t>(random() & 1);
    }
    return frame;
}

std::array<std::uint8_t, 56> Marks(const Frame& frame) {
    std::array<std::uint8_t, 56> marks{};
    for (int c = 0; c < kColumns; ++c) {
        marks[static_cast<std::size_t>(c)] = frame[CellIndex(c, 0)];
        marks[static_cast<std::size_t>(28 + c)] = frame[CellIndex(c, 8)];
    }
    return marks;
}

bool IsSet(const Frame& frame, int x, int y) {
    return frame[DotCellIndex({x, y})] == kDotSet;
}

TEST(Transforms, EachTwiceIsTheIdentityAndLeavesTheMarks) {
    std::mt19937 random(7);
    for (auto transform : {InvertDots, FlipHorizontal, FlipVertical}) {
        for (int round = 0; round < 20; ++round) {
            const Frame before = Random(random);
            Frame frame = before;
            transform(frame);
            EXPECT_EQ(Marks(frame), Marks(before));
            EXPECT_NE(frame, before);
            transform(frame);
            EXPECT_EQ(frame, before);
        }
    }
}

TEST(Transforms, MapCellsAsTheUserSeesThem) {
    Frame frame = Blank();
    frame[CellIndex(0, 7)] = kDotSet;
    frame[CellIndex(3, 1)] = kDotSet;
    Frame flipped = frame;
    FlipVertical(flipped);
    Frame expected = Blank();
    expected[CellIndex(0, 9)] = kDotSet;   // row 7 <-> row 9
    expected[CellIndex(3, 15)] = kDotSet;  // row 1 <-> row 15
    EXPECT_EQ(flipped, expected);

    flipped = frame;
    FlipHorizontal(flipped);
    expected = Blank();
    expected[CellIndex(27, 7)] = kDotSet;
    expected[CellIndex(24, 1)] = kDotSet;
    EXPECT_EQ(flipped, expected);

    Frame inverted = Blank();
    InvertDots(inverted);
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            EXPECT_EQ(inverted[CellIndex(c, r)], IsMarkRow(r) ? kDotBlank : kDotSet);
        }
    }
}

TEST(Lines, KnownLineAndOneCell) {
    EXPECT_EQ(LineCells({0, 0}, {5, 2}),
              (DotCells{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
    EXPECT_EQ(LineCells({4, 9}, {4, 9}), (DotCells{{4, 9}}));
    EXPECT_EQ(LineCells({0, 13}, {27, 13}).size(), 28u);
    EXPECT_EQ(LineCells({27, 0}, {27, 13}).size(), 14u);
}

TEST(Lines, EveryOctantIsAConnectedLineWithBothEnds) {
    const DotCell centre{13, 6};
    const std::vector<DotCell> ends{{27, 9}, {20, 13}, {10, 13}, {0, 9},
                                    {0, 3},  {9, 0},   {17, 0},  {27, 2}};
    for (const DotCell end : ends) {
        const DotCells cells = LineCells(centre, end);
        const int dx = end.x - centre.x;
        const int dy = end.y - centre.y;
        ASSERT_EQ(cells.size(), static_cast<std::size_t>(std::max(std::abs(dx), std::abs(dy)) + 1))
            << end.x << "," << end.y;
        EXPECT_EQ(cells.front(), centre);
        EXPECT_EQ(cells.back(), end);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) {
                EXPECT_LE(std::abs(cells[i].x - cells[i - 1].x), 1);
                EXPECT_LE(std::abs(cells[i].y - cells[i - 1].y), 1);
            }
            // Each cell lies within half a cell of the ideal line along the minor axis.
            const double t = std::abs(dx) >= std::abs(dy)
                                 ? static_cast<double>(cells[i].x - centre.x) / dx
                                 : static_cast<double>(cells[i].y - centre.y) / dy;
            const double idealX = centre.x + t * dx;
            const double idealY = centre.y + t * dy;
            EXPECT_LE(std::abs(cells[i].x - idealX), 0.5 + 1e-9);
            EXPECT_LE(std::abs(cells[i].y - idealY), 0.5 + 1e-9);
        }
    }
}

TEST(Rectangles, OutlineFilledAndOneRow) {
    EXPECT_EQ(RectangleCells({5, 3}, {2, 3}), (DotCells{{2, 3}, {3, 3}, {4, 3}, {5, 3}}));
    EXPECT_EQ(BoxCells({5, 3}, {2, 3}), RectangleCells({2, 3}, {5, 3}));
    EXPECT_EQ(RectangleCells({0, 0}, {27, 13}).size(), 2u * 28 + 2 * 12);
    EXPECT_EQ(BoxCells({27, 13}, {0, 0}).size(), 28u * 14);
    const DotCells outline = RectangleCells({1, 1}, {3, 3});
    EXPECT_EQ(outline.size(), 8u);
    EXPECT_EQ(std::count(outline.begin(), outline.end(), DotCell{2, 2}), 0);
}

TEST(Fill, CrossesTheSeamBetweenRowsSevenAndNineAndStopsAtWalls) {
    Frame frame = Blank();
    // A closed box of set dots around x 3..6, y 5..8: y 6 is frame row 7, y 7 is frame row 9.
    PaintCells(frame, RectangleCells({2, 4}, {7, 9}), Paint::Set);
    const DotCells inside = RegionCells(frame, {4, 6});
    EXPECT_EQ(inside, BoxCells({3, 5}, {6, 8}));
    EXPECT_NE(std::find(inside.begin(), inside.end(), DotCell{4, 7}), inside.end());

    // From a set cell the region is the wall itself.
    EXPECT_EQ(RegionCells(frame, {2, 4}).size(), RectangleCells({2, 4}, {7, 9}).size());
    // Outside the box: every clear cell up to the picture's edges, nothing beyond.
    EXPECT_EQ(RegionCells(frame, {0, 0}).size(), 28u * 14 - BoxCells({2, 4}, {7, 9}).size());
    // Diagonal gaps do not leak: 4-connected only.
    Frame diagonal = Blank();
    PaintCells(diagonal, LineCells({0, 3}, {3, 0}), Paint::Set);
    EXPECT_EQ(RegionCells(diagonal, {0, 0}).size(), 6u);
    EXPECT_TRUE(RegionCells(frame, {0, 14}).empty());
}

TEST(Fill, MarkRowsAreNeverNeighbours) {
    Frame frame = Blank();
    SetStr(frame);  // marks 0: they look like set cells, but are no part of the picture
    PaintCells(frame, RegionCells(frame, {0, 0}), Paint::Set);
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kDotRows; ++y) {
            EXPECT_TRUE(IsSet(frame, x, y));
        }
    }
    Frame marks = Blank();
    SetStr(marks);
    EXPECT_EQ(Marks(frame), Marks(marks));
}

TEST(DocumentDrawing, EachShapeIsOneUndoStepAndLockedFramesRefuse) {
    Document document;
    FrameSet& set = document.Set();
    const Frame before = set.Frames[0];
    EXPECT_TRUE(document.DrawShape(0, Tool::Rectangle, {0, 0}, {27, 13}, false).Applied());
    EXPECT_EQ(document.History().Position(), 1);
    EXPECT_TRUE(IsSet(set.Frames[0], 27, 13));
    EXPECT_FALSE(IsSet(set.Frames[0], 1, 1));
    EXPECT_TRUE(document.DrawShape(0, Tool::Fill, {5, 5}, {5, 5}, false).Applied());
    EXPECT_TRUE(IsSet(set.Frames[0], 1, 1));
    EXPECT_EQ(document.History().Position(), 2);
    EXPECT_TRUE(document.DrawShape(0, Tool::Box, {2, 2}, {3, 3}, true).Applied());
    EXPECT_FALSE(IsSet(set.Frames[0], 3, 3));
    EXPECT_EQ(Marks(set.Frames[0]), Marks(before));
    document.Undo();
    document.Undo();
    document.Undo();
    EXPECT_EQ(set.Frames[0], before);

    document.SetBegStr();
    const int steps = document.History().Position();
    const Frame locked = set.Frames[0];
    EXPECT_EQ(document.DrawShape(0, Tool::Fill, {0, 0}, {0, 0}, false).status,
              EditStatus::Unchanged);
    EXPECT_EQ(document.DrawShape(0, Tool::Line, {0, 0}, {9, 9}, false).status,
              EditStatus::Unchanged);
    EXPECT_EQ(set.Frames[0], locked);
    EXPECT_EQ(document.History().Position(), steps);
    EXPECT_FALSE(document.DrawShape(1, Tool::Line, {0, 0}, {9, 9}, false).Applied());
}

TEST(DocumentFrames, MovesSwapWithTheNeighbourAndStopAtTheEnds) {
    Document document;
    FrameSet& set = document.Set();
    document.Add();
    document.Add();
    for (int f = 0; f < 3; ++f) {
        set.Frames[static_cast<std::size_t>(f)][CellIndex(f, 1)] = kDotSet;
    }
    const FrameBuffer start = set.Frames;
    set.CurFrame = 0;
    const int steps = document.History().Position();
    EXPECT_EQ(document.MoveFrameLeft().status, EditStatus::Unchanged);
    EXPECT_EQ(document.History().Position(), steps);
    EXPECT_TRUE(document.MoveFrameRight().Applied());
    EXPECT_EQ(set.CurFrame, 1);
    EXPECT_EQ(set.Frames[1], start[0]);
    EXPECT_EQ(set.Frames[0], start[1]);
    EXPECT_TRUE(document.MoveFrameRight().Applied());
    EXPECT_EQ(set.CurFrame, 2);
    EXPECT_EQ(set.Frames[2], start[0]);
    EXPECT_EQ(document.MoveFrameRight().status, EditStatus::Unchanged);
    EXPECT_EQ(document.History().Position(), steps + 2);
    document.Undo();
    document.Undo();
    EXPECT_EQ(set.Frames, start);
}

TEST(DocumentFrames, InsertFramesIsOneStepAndRefusesPastCapacity) {
    Document document;
    FrameSet& set = document.Set();
    set.Frames[0][CellIndex(0, 1)] = kDotSet;
    std::vector<Frame> frames(3, Blank());
    frames[1][CellIndex(1, 1)] = kDotSet;
    EXPECT_TRUE(document.InsertFrames(1, frames).Applied());
    EXPECT_EQ(set.LastFrame, 3);
    EXPECT_EQ(set.CurFrame, 1);
    EXPECT_EQ(set.Frames[2], frames[1]);
    EXPECT_EQ(document.History().Position(), 1);
    EXPECT_TRUE(document.InsertFrames(0, frames).Applied());
    EXPECT_EQ(set.Frames[3][CellIndex(0, 1)], kDotSet) << "frame 0 moved behind the new ones";
    document.Undo();
    EXPECT_EQ(set.LastFrame, 3);

    const std::vector<Frame> many(kMaxFrames - 4 + 1, Blank());
    EXPECT_EQ(document.InsertFrames(4, many).status, EditStatus::Full);
    EXPECT_EQ(set.LastFrame, 3);
    EXPECT_EQ(document.History().Position(), 1);
    EXPECT_TRUE(document.InsertFrames(4, std::vector<Frame>(kMaxFrames - 4, Blank())).Applied());
    EXPECT_EQ(set.FrameCount(), kMaxFrames);
}

TEST(DocumentTransforms, NeedACurrentFrameAndRecordOneStep) {
    Document document;
    FrameSet& set = document.Set();
    EXPECT_TRUE(document.Invert().Applied());
    EXPECT_TRUE(document.FlipHorizontal().Applied());
    EXPECT_TRUE(document.FlipVertical().Applied());
    EXPECT_EQ(document.History().Position(), 3);
    EXPECT_TRUE(IsSet(set.Frames[0], 0, 0));
    set.CurFrame = -1;
    EXPECT_EQ(document.Invert().status, EditStatus::NoCurrentFrame);
    EXPECT_EQ(document.MoveFrameRight().status, EditStatus::NoCurrentFrame);
    EXPECT_EQ(document.History().Position(), 3);
}

TEST(DocumentTransforms, LeaveStartAndEndFramesAloneWithoutAStep) {
    Document document;
    FrameSet& set = document.Set();
    for (auto mark : {&Document::SetBegStr, &Document::SetEndStr}) {
        (document.*mark)();
        const Frame locked = set.Frames[0];
        const int steps = document.History().Position();
        for (auto transform :
             {&Document::Invert, &Document::FlipHorizontal, &Document::FlipVertical}) {
            EXPECT_EQ((document.*transform)().status, EditStatus::Unchanged);
        }
        EXPECT_EQ(set.Frames[0], locked) << "no dot appears where no tool could set one";
        EXPECT_EQ(document.History().Position(), steps);
    }
    document.SetStr();
    EXPECT_TRUE(document.Invert().Applied()) << "a running-line frame takes dots";
    EXPECT_TRUE(IsSet(set.Frames[0], 4, 4));
}

TEST(DocumentDrawing, AShapeThatChangesNoCellRecordsNothing) {
    Document document;
    FrameSet& set = document.Set();
    ASSERT_TRUE(document.DrawShape(0, Tool::Line, {0, 3}, {9, 3}, false).Applied());
    ASSERT_EQ(document.History().Position(), 1);
    // The same line again, a shorter one over it, clearing where nothing is set, a fill of a
    // blank region with Shift and a fill pressed on the mark row: every cell stays as it was.
    const Frame drawn = set.Frames[0];
    EXPECT_EQ(document.DrawShape(0, Tool::Line, {0, 3}, {9, 3}, false).status,
              EditStatus::Unchanged);
    EXPECT_EQ(document.DrawShape(0, Tool::Line, {2, 3}, {5, 3}, false).status,
              EditStatus::Unchanged);
    EXPECT_EQ(document.DrawShape(0, Tool::Box, {0, 8}, {27, 13}, true).status,
              EditStatus::Unchanged);
    EXPECT_EQ(document.DrawShape(0, Tool::Fill, {20, 10}, {20, 10}, true).status,
              EditStatus::Unchanged);
    EXPECT_EQ(document.DrawShape(0, Tool::Fill, {5, -1}, {5, -1}, false).status,
              EditStatus::Unchanged);
    EXPECT_EQ(set.Frames[0], drawn);
    EXPECT_EQ(document.History().Position(), 1);
    EXPECT_FALSE(document.History().CanRedo());
    // One new cell is enough for a step.
    EXPECT_TRUE(document.DrawShape(0, Tool::Line, {0, 3}, {10, 3}, false).Applied());
    EXPECT_EQ(document.History().Position(), 2);
}

}  // namespace
}  // namespace kadr
