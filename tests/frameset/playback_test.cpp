#include <gtest/gtest.h>

#include "frameset/frame_kinds.h"
#include "frameset/playback/led_image.h"
#include "frameset/playback/playback_clock.h"
#include "frameset/playback/playback_input.h"
#include "frameset/playback/timeline.h"

namespace kadr::playback {
namespace {

using std::chrono::milliseconds;

enum class K { Anim, Beg, Str, End };

// A set of frames of the given kinds; frame f carries one dot at column f % 28, row 1, so that
// every picture tells which frame it came from.
FrameSet SetOf(std::initializer_list<K> kinds, int speedAnim = 1, int speedRow = 1) {
    FrameSet set;
    set.LastFrame = static_cast<int>(kinds.size()) - 1;
    set.SpeedAnim = speedAnim;
    set.SpeedRow = speedRow;
    int f = 0;
    for (const K kind : kinds) {
        Frame& frame = set.Frames[static_cast<std::size_t>(f)];
        FillBlank(frame);
        switch (kind) {
            case K::Anim:
                SetAnim(frame);
                break;
            case K::Beg:
                SetBegStr(frame);
                break;
            case K::Str:
                SetStr(frame);
                break;
            case K::End:
                SetEndStr(frame);
                break;
        }
        frame[CellIndex(f % kColumns, 1)] = kDotSet;
        ++f;
    }
    return set;
}

Picture DotAt(int column, int row) {
    Picture picture;
    picture.SetLit(column, row, true);
    return picture;
}

TEST(Timeline, AnimationFramesPlayInOrderEachForOneOverTheAnimationSpeed) {
    const Timeline t = BuildTimeline(SetOf({K::Anim, K::Anim, K::Anim}, 2, 7));
    ASSERT_EQ(t.steps.size(), 3U);
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(t.steps[i].durationMs, 500.0);
        EXPECT_EQ(t.steps[i].frame, i);
        EXPECT_FALSE(t.steps[i].lineStep);
        EXPECT_EQ(t.steps[i].picture, DotAt(i, 0));
    }
    EXPECT_DOUBLE_EQ(t.TotalMs(), 1500.0);
    EXPECT_TRUE(t.notes.empty());
    EXPECT_EQ(PositionText(t, 1), "Кадр 2 из 3");
}

TEST(Timeline, PictureShowsTheFourteenDotRowsAndNoMarks) {
    FrameSet set = SetOf({K::Str});  // a running-line frame: every mark cell is 0, i.e. "set"
    Frame& frame = set.Frames[0];
    FillBlank(frame);
    SetStr(frame);
    frame[CellIndex(0, 7)] = kDotSet;
    frame[CellIndex(27, 9)] = kDotSet;
    frame[CellIndex(13, 15)] = kDotSet;
    const Picture picture = PictureOf(frame);
    EXPECT_EQ(picture.LitCount(), 3);
    EXPECT_TRUE(picture.Lit(0, 6));
    EXPECT_TRUE(picture.Lit(27, 7));
    EXPECT_TRUE(picture.Lit(13, 13));
}

TEST(Timeline, RunningLineMovesItsStripThroughTheDisplayOneColumnAStep) {
    // Start, three line frames, end, then an animation frame; 10 cells/s.
    const Timeline t =
        BuildTimeline(SetOf({K::Beg, K::Str, K::Str, K::Str, K::End, K::Anim}, 4, 10));
    ASSERT_EQ(t.steps.size(), 28U * 3 + 27 + 1);
    EXPECT_TRUE(t.notes.empty());
    // The strip's column 0 is frame 1's column 0 with no dot; frame 1 has its dot in column 1.
    // Step s shows strip column j in display column j - s + 27.
    for (int s = 0; s < 111; ++s) {
        const Step& step = t.steps[static_cast<std::size_t>(s)];
        EXPECT_TRUE(step.lineStep);
        EXPECT_EQ(step.frame, 0);
        EXPECT_EQ(step.lineIndex, s);
        EXPECT_EQ(step.lineSteps, 111);
        EXPECT_DOUBLE_EQ(step.durationMs, 100.0);
        Picture expected;
        for (int f = 1; f <= 3; ++f) {
            const int j = (f - 1) * 28 + f;  // frame f's dot in the strip
            const int x = j - s + 27;
            if (x >= 0 && x < 28) {
                expected.SetLit(x, 0, true);
            }
        }
        ASSERT_EQ(step.picture, expected) << "step " << s;
    }
    EXPECT_DOUBLE_EQ(t.startMs[111], 11100.0);
    EXPECT_EQ(t.steps.back().frame, 5);
    EXPECT_DOUBLE_EQ(t.steps.back().durationMs, 250.0);
    EXPECT_EQ(PositionText(t, 39), "Строка: шаг 40 из 111");
    EXPECT_EQ(PositionText(t, 111), "Кадр 6 из 6");
}

TEST(Timeline, FirstAndLastStepsShowTheStripsEdgesAtTheDisplaysEdges) {
    FrameSet set = SetOf({K::Beg, K::Str, K::End});
    Frame& line = set.Frames[1];
    line[CellIndex(1, 1)] = kDotBlank;
    line[CellIndex(0, 2)] = kDotSet;   // strip column 0
    line[CellIndex(27, 3)] = kDotSet;  // strip's last column
    const Timeline t = BuildTimeline(set);
    ASSERT_EQ(t.steps.size(), 55U);
    EXPECT_EQ(t.steps.front().picture, DotAt(27, 1));
    EXPECT_EQ(t.steps.back().picture, DotAt(0, 2));
}

TEST(Timeline, IrregularSequencesPlayOnWithNotes) {
    {
        // An end with no start is skipped; running-line frames outside a line are animation
        // frames, and the two neighbours share one note.
        const Timeline t = BuildTimeline(SetOf({K::End, K::Str, K::Str, K::Anim}, 5, 1));
        ASSERT_EQ(t.steps.size(), 3U);
        EXPECT_EQ(t.steps[0].frame, 1);
        EXPECT_DOUBLE_EQ(t.steps[0].durationMs, 200.0);
        EXPECT_FALSE(t.steps[1].lineStep);
        ASSERT_EQ(t.notes.size(), 2U);
        EXPECT_EQ(t.notes[0], (Note{NoteKind::EndWithoutStart, 1, 1}));
        EXPECT_EQ(t.notes[1], (Note{NoteKind::LineFrameOutside, 2, 3}));
        EXPECT_EQ(NoteText(t.notes[1]),
                  "Кадры 2–3: кадр бегущей строки вне строки; показан как кадр анимации");
    }
    {
        // A start with no end runs to the end of the set; an animation frame inside is taken in.
        const Timeline t = BuildTimeline(SetOf({K::Anim, K::Beg, K::Str, K::Anim}));
        ASSERT_EQ(t.steps.size(), 1U + 28 * 2 + 27);
        EXPECT_EQ(t.steps[1].lineSteps, 83);
        ASSERT_EQ(t.notes.size(), 2U);
        EXPECT_EQ(t.notes[0], (Note{NoteKind::UnclosedLine, 2, 2}));
        EXPECT_EQ(t.notes[1], (Note{NoteKind::OtherFrameInLine, 4, 4}));
        // Frame 3 (index 3) has its dot in strip column 28 + 3.
        EXPECT_TRUE(t.steps[1 + 31].picture.Lit(27, 0));
    }
    {
        // A line with no frames shows nothing; what follows plays.
        const Timeline t = BuildTimeline(SetOf({K::Beg, K::End, K::Anim}));
        ASSERT_EQ(t.steps.size(), 1U);
        EXPECT_EQ(t.steps[0].frame, 2);
        ASSERT_EQ(t.notes.size(), 1U);
        EXPECT_EQ(t.notes[0], (Note{NoteKind::EmptyLine, 1, 2}));
    }
    {
        const Timeline t = BuildTimeline(SetOf({K::Anim, K::Beg}));
        ASSERT_EQ(t.steps.size(), 1U);
        EXPECT_EQ(t.notes,
                  (std::vector<Note>{{NoteKind::UnclosedLine, 2, 2}, {NoteKind::EmptyLine, 2, 2}}));
    }
    {
        FrameSet set;
        set.LastFrame = -1;
        const Timeline t = BuildTimeline(set);
        EXPECT_TRUE(t.Empty());
        EXPECT_DOUBLE_EQ(t.TotalMs(), 0.0);
        ASSERT_EQ(t.notes.size(), 1U);
        EXPECT_EQ(t.notes[0].kind, NoteKind::EmptySet);
        EXPECT_EQ(PositionText(t, 0), "Нет кадров для показа");
    }
}

TEST(Timeline, RebuildingReusesTheTimelineAndForgetsTheOldSteps) {
    Timeline t = BuildTimeline(SetOf({K::Beg, K::Str, K::End}));
    BuildTimeline(SetOf({K::Str}), t);
    ASSERT_EQ(t.steps.size(), 1U);
    EXPECT_EQ(t.startMs.size(), 2U);
    EXPECT_EQ(t.notes.size(), 1U);
    EXPECT_EQ(t.frameCount, 1);
}

TEST(Timeline, StepAtAndFirstStepOf) {
    const Timeline t =
        BuildTimeline(SetOf({K::Anim, K::End, K::Beg, K::Str, K::End, K::Anim}, 2, 10));
    // 500 ms, then 55 line steps of 100 ms, then 500 ms.
    EXPECT_EQ(t.StepAt(0), 0U);
    EXPECT_EQ(t.StepAt(499.9), 0U);
    EXPECT_EQ(t.StepAt(500), 1U);
    EXPECT_EQ(t.StepAt(500 + 5500 - 0.1), 55U);
    EXPECT_EQ(t.StepAt(6000), 56U);
    EXPECT_EQ(t.StepAt(1e9), 56U);
    EXPECT_EQ(t.FirstStepOf(0), 0U);
    EXPECT_EQ(t.FirstStepOf(1), 1U) << "a skipped frame gives the next step shown";
    EXPECT_EQ(t.FirstStepOf(3), 1U);
    EXPECT_EQ(t.FirstStepOf(4), 1U);
    EXPECT_EQ(t.FirstStepOf(5), 56U);
}

TEST(PlaybackClock, FollowsTheClockAndLoopsWithoutDrift) {
    // Three frames at 3 frames/s: steps of 333.33 ms that no whole number of milliseconds hits.
    const Timeline t = BuildTimeline(SetOf({K::Anim, K::Anim, K::Anim}, 3, 1));
    PlaybackClock clock;
    const auto start = milliseconds(12345);
    clock.Play(start);
    EXPECT_EQ(clock.StepAt(t, start), 0U);
    EXPECT_EQ(clock.StepAt(t, start + milliseconds(333)), 0U);
    EXPECT_EQ(clock.StepAt(t, start + milliseconds(334)), 1U);
    EXPECT_EQ(clock.StepAt(t, start + milliseconds(1000)), 0U);
    // Ten hours on, a pass still lasts exactly one second.
    const auto later = start + std::chrono::hours(10);
    EXPECT_EQ(clock.StepAt(t, later + milliseconds(333)), 0U);
    EXPECT_EQ(clock.StepAt(t, later + milliseconds(334)), 1U);
    EXPECT_EQ(clock.StepAt(t, later + milliseconds(667)), 2U);
    const auto wait = clock.UntilNextStep(t, later + milliseconds(100));
    ASSERT_TRUE(wait.has_value());
    const double waitMs = std::chrono::duration<double, std::milli>(*wait).count();
    EXPECT_NEAR(waitMs, 233.33, 0.01);

    clock.Pause(later + milliseconds(400));
    EXPECT_FALSE(clock.UntilNextStep(t, later + milliseconds(400)).has_value());
    EXPECT_EQ(clock.StepAt(t, later + std::chrono::hours(1)), 1U) << "paused holds its step";
    clock.Play(later + std::chrono::hours(1));
    EXPECT_EQ(clock.StepAt(t, later + std::chrono::hours(1) + milliseconds(300)), 2U);
}

TEST(PlaybackClock, SeekAndRetimeKeepTheStepAndTakeTheNewPaceAtOnce) {
    const Timeline slow = BuildTimeline(SetOf({K::Anim, K::Anim, K::Anim, K::Anim}, 2, 1));
    const Timeline fast = BuildTimeline(SetOf({K::Anim, K::Anim, K::Anim, K::Anim}, 10, 1));
    PlaybackClock clock;
    clock.Play(milliseconds(0));
    clock.Seek(slow, 2, milliseconds(0));
    EXPECT_EQ(clock.StepAt(slow, milliseconds(499)), 2U);
    // Half of step 2 has passed when the speed goes up: half of the new 100 ms is left.
    clock.Retime(slow, fast, milliseconds(250));
    EXPECT_EQ(clock.StepAt(fast, milliseconds(250)), 2U);
    EXPECT_EQ(clock.StepAt(fast, milliseconds(299)), 2U);
    EXPECT_EQ(clock.StepAt(fast, milliseconds(301)), 3U);
    EXPECT_EQ(clock.StepAt(fast, milliseconds(401)), 0U);
    // A set that shrank below the step shown starts over.
    const Timeline one = BuildTimeline(SetOf({K::Anim}, 10, 1));
    clock.Seek(fast, 3, milliseconds(1000));
    clock.Retime(fast, one, milliseconds(1000));
    EXPECT_EQ(clock.StepAt(one, milliseconds(1050)), 0U);
    EXPECT_NEAR(clock.PositionMs(one, milliseconds(1050)), 50.0, 1e-9);
}

TEST(LedPainter, LedCentresShowTheirStateAndTheModuleRowGapIsDark) {
    for (const LedColour colour : kLedColours) {
        ASSERT_EQ(ParseLedColour(LedColourName(colour)), colour);
        const LedPainter painter(colour, 8);
        Picture picture;
        picture.SetLit(0, 0, true);
        picture.SetLit(27, 13, true);
        picture.SetLit(5, 7, true);
        const IndexedImage image = painter.Paint(picture);
        const PanelGeometry& g = painter.Geometry();
        ASSERT_EQ(image.width, 240);
        ASSERT_EQ(image.height, 136);
        for (int c = 0; c < kDisplayColumns; ++c) {
            for (int r = 0; r < kDotRows; ++r) {
                const Rgb centre = image.ColourAt(g.CellX(c) + 4, g.CellY(r) + 4);
                EXPECT_EQ(centre, picture.Lit(c, r) ? LitRgb(colour) : UnlitRgb(colour))
                    << c << "," << r;
                EXPECT_EQ(image.ColourAt(g.CellX(c), g.CellY(r)), PanelRgb()) << "corner";
            }
        }
        // Between display rows 6 and 7 lies a row of panel as high as an LED.
        for (int x = 0; x < image.width; ++x) {
            ASSERT_EQ(image.ColourAt(x, g.CellY(6) + 8 + 4), PanelRgb());
        }
        EXPECT_EQ(g.CellY(7) - g.CellY(6), 16);
    }
    EXPECT_FALSE(ParseLedColour("purple").has_value());
    EXPECT_NE(LitRgb(LedColour::Red), LitRgb(LedColour::Amber));
}

TEST(LedPainter, SheetPutsEightPicturesToARowWithCaptions) {
    const LedPainter painter(LedColour::Green, 4);
    std::vector<Picture> pictures(10);
    pictures[9].SetLit(3, 3, true);
    const IndexedImage sheet = painter.Sheet(pictures);
    const int cellW = painter.Geometry().Width();
    const int cellH = painter.Geometry().Height() + 7;
    ASSERT_EQ(sheet.width, 8 * cellW);
    ASSERT_EQ(sheet.height, 2 * cellH);
    const PanelGeometry& g = painter.Geometry();
    EXPECT_EQ(sheet.ColourAt(cellW + g.CellX(3) + 2, cellH + g.CellY(3) + 2),
              LitRgb(LedColour::Green));
    // A caption under every picture, none elsewhere in the band of the empty second row.
    int captionPixels = 0;
    for (int y = 0; y < sheet.height; ++y) {
        for (int x = 0; x < sheet.width; ++x) {
            captionPixels += sheet.At(x, y) == LedPainter::kCaptionIndex ? 1 : 0;
        }
    }
    EXPECT_GT(captionPixels, 10 * 7);
    for (int x = 2 * cellW; x < sheet.width; ++x) {
        for (int y = cellH; y < sheet.height; ++y) {
            ASSERT_NE(sheet.At(x, y), LedPainter::kCaptionIndex);
        }
    }
}

}  // namespace
}  // namespace kadr::playback

namespace kadr::playback {
namespace {

TEST(PlaybackInput, NoticesEveryChangeThatPlaysDifferentlyAndNothingElse) {
    FrameSet set = SetOf({K::Anim, K::Anim});
    PlaybackInput input;
    EXPECT_TRUE(input.Update(set)) << "the first look always counts";
    EXPECT_FALSE(input.Update(set));
    set.Cell(1, 3, 3) = kDotSet;
    EXPECT_TRUE(input.Update(set));
    set.SpeedRow = 9;
    EXPECT_TRUE(input.Update(set));
    set.SpeedAnim = 9;
    EXPECT_TRUE(input.Update(set));
    set.LastFrame = 0;
    EXPECT_TRUE(input.Update(set));
    set.Cell(1, 4, 4) = kDotSet;  // out of use: plays the same
    set.OrientationFlag = 1;      // the unit compensates for its mounting: plays the same
    set.CurFrame = 0;
    EXPECT_FALSE(input.Update(set));
    set.LastFrame = -1;
    EXPECT_TRUE(input.Update(set));
    EXPECT_FALSE(input.Update(set));
}

}  // namespace
}  // namespace kadr::playback
