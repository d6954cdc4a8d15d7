// A line of text as a running line in the frame set: its frames, where they go, and undo.
#include <gtest/gtest.h>

#include <random>

#include "frameset/frame_kinds.h"
#include "frameset/text/builtin_font.h"
#include "frameset/text/running_line.h"
#include "tests/support/temp_dir.h"

namespace kadr::text {
namespace {

TextPicture Picture(int width) {
    return TextPicture{width, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * 14, 0)};
}

RenderedText Rendered(int width) {
    return RenderedText{Picture(width), 1, {}, {}};
}

TEST(RunningLine, FrameCountFollowsTheWidth) {
    const std::pair<int, int> cases[] = {{1, 1}, {27, 1}, {28, 1}, {29, 2}, {56, 2}, {57, 3}};
    for (const auto& [width, frames] : cases) {
        EXPECT_EQ(LineFrameCount(width), frames) << width;
        EXPECT_EQ(RunningLineFrames(Picture(width)).size(), static_cast<std::size_t>(frames) + 2);
    }
    // "Привет" in the built-in font: 31 columns with the default gap, so two frames of text.
    const RenderedText hello = RenderText("Привет", BuiltinFont(), {});
    EXPECT_EQ(hello.picture.width, 31);
    EXPECT_EQ(RunningLineFrameTotal(hello.picture.width), 4);
}

TEST(RunningLine, FramesCarryTheKindsAndThePictureInTheDotRows) {
    TextPicture picture = Picture(30);
    picture.SetInk(0, 0);    // top picture row: frame row 1
    picture.SetInk(1, 6);    // frame row 7
    picture.SetInk(2, 7);    // frame row 9, under the mark row
    picture.SetInk(27, 13);  // frame row 15, last column of the first frame
    picture.SetInk(29, 3);   // second frame, column 1
    const std::vector<Frame> frames = RunningLineFrames(picture);
    ASSERT_EQ(frames.size(), 4u);

    Frame begin;
    FillBlank(begin);
    SetBegStr(begin);
    Frame end;
    FillBlank(end);
    SetEndStr(end);
    EXPECT_EQ(frames[0], begin);
    EXPECT_EQ(frames[3], end);

    for (const int k : {1, 2}) {
        const Frame& f = frames[static_cast<std::size_t>(k)];
        EXPECT_EQ(GetFrameKind(f), fkStr);
        for (int c = 0; c < kColumns; ++c) {
            EXPECT_EQ(f[CellIndex(c, 0)], 0);  // every mark of a running-line frame is 0
            EXPECT_EQ(f[CellIndex(c, 8)], 0);
        }
    }
    const auto set = [&](int frame, int column, int row) {
        return frames[static_cast<std::size_t>(frame)][CellIndex(column, row)] == kDotSet;
    };
    EXPECT_TRUE(set(1, 0, 1));
    EXPECT_TRUE(set(1, 1, 7));
    EXPECT_TRUE(set(1, 2, 9));
    EXPECT_TRUE(set(1, 27, 15));
    EXPECT_TRUE(set(2, 1, 4));
    int inked = 0;
    for (int k = 1; k <= 2; ++k) {
        for (int c = 0; c < kColumns; ++c) {
            for (int r = 0; r < kRows; ++r) {
                inked += !IsMarkRow(r) && set(k, c, r) ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(inked, 5);  // and nothing else: the columns past the width are blank
}

class LineInsertionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::mt19937 rng(7);
        document_.New(3);
        for (int f = 0; f < 3; ++f) {
            document_.Set().Frames[static_cast<std::size_t>(f)] = testing::RandomFrame(rng);
        }
    }
    Frame At(int f) const { return document_.Set().Frames[static_cast<std::size_t>(f)]; }

    Document document_;
};

TEST_F(LineInsertionTest, GoesAfterTheCurrentFrameAndOneUndoTakesItAway) {
    const FrameSet before = document_.Set();
    document_.Set().CurFrame = 1;
    const RenderedText text = Rendered(40);  // two frames of text
    const LineInsertion line = InsertRunningLine(document_, text);
    ASSERT_EQ(line.refusal, LineRefusal::None);
    EXPECT_EQ(line.added, 4);
    EXPECT_EQ(line.firstFrame, 2);
    const FrameSet& set = document_.Set();
    EXPECT_EQ(set.LastFrame, 6);
    EXPECT_EQ(set.CurFrame, 2);
    EXPECT_EQ(At(0), before.Frames[0]);
    EXPECT_EQ(At(1), before.Frames[1]);
    EXPECT_EQ(GetFrameKind(At(2)), fkBegStr);
    EXPECT_EQ(GetFrameKind(At(3)), fkStr);
    EXPECT_EQ(GetFrameKind(At(4)), fkStr);
    EXPECT_EQ(GetFrameKind(At(5)), fkEndStr);
    EXPECT_EQ(At(6), before.Frames[2]);  // the frame after the current one moved on
    EXPECT_EQ(document_.History().Position(), 1);

    ASSERT_TRUE(document_.Undo().Applied());
    EXPECT_EQ(set.LastFrame, before.LastFrame);
    for (int f = 0; f <= before.LastFrame; ++f) {
        EXPECT_EQ(At(f), before.Frames[static_cast<std::size_t>(f)]) << f;
    }
    EXPECT_FALSE(document_.History().CanUndo());
    ASSERT_TRUE(document_.Redo().Applied());
    EXPECT_EQ(set.LastFrame, 6);
    EXPECT_EQ(GetFrameKind(At(5)), fkEndStr);
}

TEST_F(LineInsertionTest, WithoutACurrentFrameItIsAppended) {
    document_.Set().CurFrame = -1;
    ASSERT_EQ(InsertRunningLine(document_, Rendered(5)).refusal, LineRefusal::None);
    EXPECT_EQ(document_.Set().LastFrame, 5);
    EXPECT_EQ(document_.Set().CurFrame, 3);
    EXPECT_EQ(GetFrameKind(At(3)), fkBegStr);
    EXPECT_EQ(GetFrameKind(At(5)), fkEndStr);

    document_.New(0);
    document_.Set().CurFrame = -1;
    ASSERT_EQ(InsertRunningLine(document_, Rendered(5)).refusal, LineRefusal::None);
    EXPECT_EQ(document_.Set().LastFrame, 2);
    EXPECT_EQ(GetFrameKind(At(0)), fkBegStr);
}

TEST_F(LineInsertionTest, RefusedWithNothingChangedPastTwoHundredFiftySixFrames) {
    // 28 × 10 columns make 12 frames with start and end: 244 frames leave exactly room.
    document_.New(245);
    document_.Set().CurFrame = 0;
    const FrameSet before = document_.Set();
    LineInsertion line = InsertRunningLine(document_, Rendered(280));
    EXPECT_EQ(line.refusal, LineRefusal::TooLong);
    EXPECT_EQ(line.added, 12);
    EXPECT_EQ(line.freeFrames, 11);
    EXPECT_EQ(document_.Set().LastFrame, 244);
    EXPECT_EQ(document_.Set().Frames, before.Frames);
    EXPECT_FALSE(document_.History().CanUndo());

    document_.New(244);
    document_.Set().CurFrame = 243;
    line = InsertRunningLine(document_, Rendered(280));
    ASSERT_EQ(line.refusal, LineRefusal::None);
    EXPECT_EQ(document_.Set().LastFrame, 255);
    EXPECT_EQ(GetFrameKind(At(255)), fkEndStr);
}

TEST_F(LineInsertionTest, EmptyTextIsRefused) {
    const LineInsertion line = InsertRunningLine(document_, RenderText("", BuiltinFont(), {}));
    EXPECT_EQ(line.refusal, LineRefusal::EmptyText);
    EXPECT_EQ(document_.Set().LastFrame, 2);
    EXPECT_FALSE(document_.History().CanUndo());
}

}  // namespace
}  // namespace kadr::text
