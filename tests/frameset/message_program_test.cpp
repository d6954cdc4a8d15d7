// Programs of messages in the frame set: holds counted at the set's speed, blinking, what is
// refused (with nothing changed), one undo step, and how the display then plays it.
#include <gtest/gtest.h>

#include "frameset/frame_kinds.h"
#include "frameset/messages/program_insertion.h"
#include "frameset/playback/timeline.h"
#include "frameset/text/running_line.h"
#include "tests/support/frames.h"

namespace kadr::messages {
namespace {

Message Still(const std::string& text, double hold = 2) {
    Message message;
    message.text = text;
    message.hold = hold;
    return message;
}

Message Line(const std::string& text) {
    Message message;
    message.text = text;
    message.show = Show::Line;
    return message;
}

// Whether frame `f` has the dot at column c, picture row r: rows 0..6 are frame rows 1..7,
// rows 7..13 frame rows 9..15, by hand.
bool Lit(const FrameSet& set, int f, int c, int r) {
    return set.Cell(f, c, r < 7 ? r + 1 : r + 2) == kDotSet;
}

int LitCount(const FrameSet& set, int f) {
    int count = 0;
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < 14; ++r) {
            count += Lit(set, f, c, r) ? 1 : 0;
        }
    }
    return count;
}

TEST(MessageProgram, HoldIsCountedInFramesAtTheAnimationSpeed) {
    struct Case {
        double seconds;
        int speed;
        int frames;
    };
    const Case cases[] = {
        {2, 1, 2},    {2, 7, 14},  {2, 50, 100}, {0, 1, 1},   {0, 50, 1},
        {0.25, 7, 2}, {0.5, 7, 4}, {0.1, 1, 1},  {60, 1, 60}, {1.5, 7, 11},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HoldFrames(c.seconds, c.speed), c.frames) << c.seconds << " s at " << c.speed;
        // Without effects a still message is its hold.
        const MessagePlan plan = PlanMessage(Still("Т", c.seconds), text::BuiltinFont(), c.speed);
        EXPECT_EQ(plan.FrameCount(), c.frames);
    }
    for (const int speed : {1, 7, 50}) {
        Document document;
        document.Set().SetSpeedAnim(speed);
        BuiltinFonts fonts;
        const ProgramInsertion done = InsertProgram(document, {std::nullopt, {Still("Т")}}, fonts);
        ASSERT_EQ(done.plan.refusal, Refusal::None) << speed;
        EXPECT_EQ(document.Set().FrameCount(), 1 + 2 * speed);
        EXPECT_DOUBLE_EQ(done.plan.messages[0].HoldSeconds(speed), 2.0);
    }
}

TEST(MessageProgram, BlinkAlternatesRAndADarkPictureOverTheHold) {
    Document document;
    document.Set().SetSpeedAnim(10);
    Message message = Still("Т", 1);  // 10 frames
    message.blink = 3;
    BuiltinFonts fonts;
    ASSERT_EQ(InsertProgram(document, {std::nullopt, {message}}, fonts).plan.refusal,
              Refusal::None);
    const FrameSet& set = document.Set();
    ASSERT_EQ(set.FrameCount(), 11);
    const bool lit[] = {true, true, true, false, false, false, true, true, true, false};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(LitCount(set, i + 1), lit[i] ? 11 : 0) << i;  // "Т" has 11 dots
        EXPECT_EQ(GetFrameKind(set.Frames[static_cast<std::size_t>(i + 1)]), fkAnim);
    }
    // Blink 1 flickers frame by frame.
    message.blink = 1;
    message.hold = 0.4;
    const MessagePlan plan = PlanMessage(message, text::BuiltinFont(), 10);
    std::vector<Frame> frames;
    AppendMessageFrames(plan, frames);
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_NE(frames[0], frames[1]);
    EXPECT_EQ(frames[0], frames[2]);
    EXPECT_EQ(frames[1], testing::BlankFrame());
}

TEST(MessageProgram, FramesGoAfterTheCurrentFrameWithTheDotsWhereTheDisplayShowsThem) {
    Document document;
    document.Set().SetSpeedAnim(10);
    document.Add();  // frames 0 and 1, frame 1 current
    document.Set().CurFrame = 0;
    Message message = Still("Т", 0.1);
    message.in = Effect::ScrollLeft;
    message.out = Effect::ScrollDown;
    BuiltinFonts fonts;
    const ProgramInsertion done = InsertProgram(document, {std::nullopt, {message}}, fonts);
    ASSERT_EQ(done.plan.refusal, Refusal::None);
    EXPECT_EQ(done.firstFrame, 1);
    EXPECT_EQ(document.Set().CurFrame, 1);
    // 16 frames in, one of R, 10 out, then the frame that was second.
    const FrameSet& set = document.Set();
    ASSERT_EQ(set.FrameCount(), 1 + 16 + 1 + 10 + 1);
    EXPECT_EQ(LitCount(set, 1), 1);
    EXPECT_TRUE(Lit(set, 1, 27, 3));
    EXPECT_TRUE(Lit(set, 17, 13, 9));  // R: the foot of the stem, picture row 9, frame row 11
    EXPECT_EQ(set.Cell(17, 13, 11), kDotSet);
    EXPECT_EQ(LitCount(set, 17), 11);
    // Four rows down the crossbar sits on picture row 7, frame row 9, below the mark row.
    EXPECT_EQ(set.Cell(21, 11, 9), kDotSet);
    EXPECT_EQ(set.Cell(21, 11, 8), kDotBlank);
    for (int f = 1; f <= 27; ++f) {
        EXPECT_EQ(GetFrameKind(set.Frames[static_cast<std::size_t>(f)]), fkAnim) << f;
    }
    EXPECT_EQ(set.Frames[28], testing::BlankFrame());
}

TEST(MessageProgram, ARunningLineMessageIsTheTextToolsRunningLine) {
    Document document;
    BuiltinFonts fonts;
    Message line = Line("до 50% на всё!");
    line.in = Effect::Dissolve;  // ignored: the unit scrolls a line itself
    line.hold = 10;
    ASSERT_EQ(InsertProgram(document, {std::nullopt, {line}}, fonts).plan.refusal, Refusal::None);
    const std::vector<Frame> expected = text::RunningLineFrames(
        text::RenderText("до 50% на всё!", text::BuiltinFont(), {}).picture);
    ASSERT_EQ(document.Set().FrameCount(), 1 + static_cast<int>(expected.size()));
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(document.Set().Frames[k + 1], expected[k]) << k;
    }
}

TEST(MessageProgram, RefusalsChangeNothing) {
    Document document;
    document.Set().SetSpeedAnim(10);
    document.Add();
    const FrameSet before = document.Set();
    BuiltinFonts fonts;
    const auto expectUnchanged = [&](const ProgramInsertion& done, const char* what) {
        EXPECT_EQ(document.Set().LastFrame, before.LastFrame) << what;
        EXPECT_EQ(document.Set().Frames, before.Frames) << what;
        EXPECT_EQ(document.Set().SpeedAnim, 10) << what;
        EXPECT_EQ(document.History().Position(), 1) << what;  // the Add only
        EXPECT_EQ(done.firstFrame, -1) << what;
    };
    // "ННННН" is 5 x 5 + 4 gaps = 29 columns: one too many for a still text, fine as a line.
    ProgramInsertion done = InsertProgram(document, {20, {Still("Т"), Still("ННННН")}}, fonts);
    EXPECT_EQ(done.plan.refusal, Refusal::TooWide);
    EXPECT_EQ(done.plan.refusedMessage, 1);
    EXPECT_EQ(done.plan.messages[1].Width(), 29);
    expectUnchanged(done, "29 columns");
    Message fits = Still("НННННI");  // 5 x 5 + 3 with no gap: exactly 28
    fits.gap = 0;
    EXPECT_EQ(CheckProgram(document, {std::nullopt, {fits, Line("ННННН")}}, fonts).refusal,
              Refusal::None);

    done = InsertProgram(document, {std::nullopt, {Still("")}}, fonts);
    EXPECT_EQ(done.plan.refusal, Refusal::EmptyText);
    expectUnchanged(done, "empty");
    done = InsertProgram(document, {}, fonts);
    EXPECT_EQ(done.plan.refusal, Refusal::NoMessages);
    Message unknown = Still("Т");
    unknown.font = "No Such Family";
    done = InsertProgram(document, {std::nullopt, {unknown}}, fonts);
    EXPECT_EQ(done.plan.refusal, Refusal::NoFont);
    expectUnchanged(done, "font");

    // 2 frames in use: 127 + 127 frames fit exactly, one more frame does not. The program's
    // own speed is what the holds count at, and it is not set when refused either.
    Program program{50, {Still("a", 2.54), Still("b", 2.54)}};
    ASSERT_EQ(CheckProgram(document, program, fonts).added, 254);
    EXPECT_EQ(CheckProgram(document, program, fonts).refusal, Refusal::None);
    program.messages[1].hold = 2.56;  // 128 frames
    done = InsertProgram(document, program, fonts);
    EXPECT_EQ(done.plan.refusal, Refusal::TooLong);
    EXPECT_EQ(done.plan.added, 255);
    EXPECT_EQ(done.plan.freeFrames, 254);
    expectUnchanged(done, "too long");
}

TEST(MessageProgram, OneUndoRemovesTheWholeProgramAndTheSpeedIsTheProgramsOwn) {
    Document document;
    BuiltinFonts fonts;
    Message first = Still("СКИД");
    first.in = Effect::ScrollLeft;
    first.out = Effect::ScrollUp;
    const FrameSet before = document.Set();
    const ProgramInsertion done =
        InsertProgram(document, {10, {first, Line("до 50% на всё!"), Still("!")}}, fonts);
    ASSERT_EQ(done.plan.refusal, Refusal::None);
    EXPECT_EQ(document.Set().SpeedAnim, 10);
    EXPECT_EQ(document.Set().FrameCount(), 1 + done.plan.added);
    EXPECT_EQ(document.History().Position(), 1);
    document.Undo();
    EXPECT_EQ(document.Set().LastFrame, before.LastFrame);
    EXPECT_EQ(document.Set().Frames[0], before.Frames[0]);
    EXPECT_FALSE(document.History().CanUndo());
}

TEST(MessageProgram, TheDisplayPlaysAProgramForTheTimeItsFramesTake) {
    Document document;
    document.Set().SetSpeedRow(20);
    BuiltinFonts fonts;
    Message message = Still("Т", 1.5);  // 15 frames at 10 a second
    message.in = Effect::ScrollLeft;    // 16 frames
    message.out = Effect::WipeRight;    // 4 frames
    const ProgramInsertion done = InsertProgram(document, {10, {message, Line("Т")}}, fonts);
    ASSERT_EQ(done.plan.refusal, Refusal::None);
    const playback::Timeline timeline = playback::BuildTimeline(document.Set());
    EXPECT_TRUE(timeline.notes.empty());
    // The start-up frame and 35 message frames at 100 ms, then a line of one frame: 28 + 27
    // steps at 50 ms.
    EXPECT_DOUBLE_EQ(timeline.TotalMs(), 36 * 100.0 + 55 * 50.0);
    EXPECT_EQ(timeline.steps.size(), 36u + 55u);
}

}  // namespace
}  // namespace kadr::messages
