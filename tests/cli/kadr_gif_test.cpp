// The GIF of `kadr render` read back with giflib: its clock against the playback model's, the
// pictures it shows against the model's, and what it stores of each.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "cli/gif_timing.h"
#include "frameset/display_file.h"
#include "frameset/frame_kinds.h"
#include "frameset/playback/led_image.h"
#include "frameset/playback/timeline.h"
#include "tests/cli/decoded_gif.h"
#include "tests/support/kadr_tool.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using playback::LedColour;
using testing::DecodedGif;
using testing::Kadr;
using testing::TempDir;

void RandomDots(FrameSet& set, int frame, std::mt19937& rng) {
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 1; r < kRows; ++r) {
            if (r != 8) {
                set.Cell(frame, c, r) = rng() % 2 == 0 ? kDotSet : kDotBlank;
            }
        }
    }
}

// A running line of `lineFrames` frames of random dots, then `stills` animation frames of
// random dots.
FrameSet LineAndStills(int lineFrames, int stills, int speed, unsigned seed) {
    std::mt19937 rng(seed);
    FrameSet set;
    set.SpeedAnim = speed;
    set.SpeedRow = speed;
    int f = 0;
    SetBegStr(set.Frames[static_cast<std::size_t>(f++)]);
    for (int i = 0; i < lineFrames; ++i, ++f) {
        SetStr(set.Frames[static_cast<std::size_t>(f)]);
        RandomDots(set, f, rng);
    }
    SetEndStr(set.Frames[static_cast<std::size_t>(f++)]);
    for (int i = 0; i < stills; ++i, ++f) {
        RandomDots(set, f, rng);
    }
    set.LastFrame = f - 1;
    return set;
}

// Renders `set` at one pixel a LED and checks the GIF against the model: each of its pictures
// shows the model's picture of a run of steps (the whole run of steps with that picture), and
// after each the GIF's clock is within 10 ms of the model's at the end of that run. Returns the
// GIF's total time in hundredths.
long long ExpectPlaysLikeTheModel(const TempDir& dir, const FrameSet& set) {
    WriteDisplayFile(dir.File("in.kdz"), set);
    const testing::ProcessResult r =
        Kadr({"render", dir.File("in.kdz"), dir.File("out.gif"), "--scale", "1"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const DecodedGif gif(dir.File("out.gif"));
    EXPECT_TRUE(gif.gif);
    if (!gif.gif) {
        return 0;
    }
    const playback::Timeline timeline = playback::BuildTimeline(set);
    const playback::LedPainter painter(LedColour::Red, 1);
    std::size_t step = 0;
    long long hundredths = 0;
    gif.ForEachScreen([&](int f, const std::vector<playback::Rgb>& screen) {
        ASSERT_LT(step, timeline.steps.size()) << "GIF picture " << f;
        const playback::Picture& shown = timeline.steps[step].picture;
        ASSERT_TRUE(screen == testing::Colours(painter, shown)) << "GIF picture " << f;
        while (step < timeline.steps.size() && timeline.steps[step].picture == shown) {
            ++step;
        }
        const int delay = gif.Delay(f);
        EXPECT_GE(delay, 2) << "GIF picture " << f;
        hundredths += delay;
        ASSERT_NEAR(static_cast<double>(hundredths) * 10.0, timeline.startMs[step], 10.0)
            << "after GIF picture " << f << ", step " << step;
    });
    EXPECT_EQ(step, timeline.steps.size());
    return hundredths;
}

TEST(KadrGif, ItsClockFollowsTheModelAfterEveryPictureAtEverySpeed) {
    TempDir dir;
    for (const int speed : {1, 7, 40, 45, 50}) {
        SCOPED_TRACE("speed " + std::to_string(speed));
        const FrameSet set = LineAndStills(2, 3, speed, static_cast<unsigned>(speed));
        const long long total = ExpectPlaysLikeTheModel(dir, set);
        // 83 line steps and 3 frames, each 1000 / speed ms.
        EXPECT_NEAR(static_cast<double>(total) * 10.0, 86 * 1000.0 / speed, 5.0);
    }
}

TEST(KadrGif, A111StepLineAt40CellsASecondLasts278Hundredths) {
    // Rounded step by step every 25 ms step would be 3 hundredths: 333 in all, 20 % slow.
    TempDir dir;
    const FrameSet set = LineAndStills(3, 0, 40, 5);
    EXPECT_EQ(playback::BuildTimeline(set).steps.size(), 111u);
    EXPECT_EQ(ExpectPlaysLikeTheModel(dir, set), 278);
    const DecodedGif gif(dir.File("out.gif"));
    EXPECT_EQ(gif.LoopCount(), 0);
}

TEST(KadrGif, StepsThatShowTheSamePictureAreOneGifPictureWithTheirTimesAdded) {
    TempDir dir;
    FrameSet set = LineAndStills(2, 1, 10, 1);
    // Both line frames and the still blank: 83 dark steps of 100 ms and a dark still of 100 ms.
    for (int f = 1; f <= 2; ++f) {
        FillBlank(set.Frames[static_cast<std::size_t>(f)]);
        SetStr(set.Frames[static_cast<std::size_t>(f)]);
    }
    FillBlank(set.Frames[4]);
    EXPECT_EQ(ExpectPlaysLikeTheModel(dir, set), 840);
    const DecodedGif gif(dir.File("out.gif"));
    EXPECT_EQ(gif.Frames(), 1);
    EXPECT_EQ(gif.Delay(0), 840);

    // The fastest still on its own keeps the shortest delay viewers honour.
    FrameSet fast;
    fast.SpeedAnim = 50;
    EXPECT_EQ(ExpectPlaysLikeTheModel(dir, fast), 2);
}

TEST(KadrGif, LaterPicturesHoldOnlyTheRectangleThatChanged) {
    // One dot running through the display: after the first picture, each holds the LED it
    // leaves and the LED it enters, the rest of the rectangle transparent.
    TempDir dir;
    FrameSet set = LineAndStills(1, 0, 20, 1);
    FillBlank(set.Frames[1]);
    SetStr(set.Frames[1]);
    set.Cell(1, 0, 3) = kDotSet;
    WriteDisplayFile(dir.File("dot.kdz"), set);
    ASSERT_EQ(Kadr({"render", dir.File("dot.kdz"), dir.File("dot.gif")}).exitCode, 0);
    const DecodedGif gif(dir.File("dot.gif"));
    ASSERT_TRUE(gif.gif);
    // 55 steps: the dot at the right, 27 moves, then 27 dark steps as one picture.
    ASSERT_EQ(gif.Frames(), 29);
    const playback::PanelGeometry g{8};
    EXPECT_EQ(gif.gif->SavedImages[0].ImageDesc.Width, g.Width());
    for (int f = 1; f < 29; ++f) {
        const GifImageDesc& d = gif.gif->SavedImages[f].ImageDesc;
        EXPECT_LE(d.Width, 2 * 8) << f;
        EXPECT_LE(d.Height, 8) << f;
        EXPECT_GE(d.Top, g.CellY(2)) << f;
        EXPECT_NE(gif.Control(f).TransparentColor, NO_TRANSPARENT_COLOR) << f;
    }
}

TEST(KadrGif, TimingsCarryTheRoundingAndNeverGoBelowTwoHundredths) {
    // The timings on their own: a model asking for less than 2 hundredths (which no speed of a
    // set does) gets 2, and the time taken more comes off the later pictures.
    playback::Timeline timeline;
    double at = 0;
    for (int i = 0; i < 10; ++i) {
        playback::Step& step = timeline.steps.emplace_back();
        step.picture.columns[0] = static_cast<std::uint16_t>(i % 2);
        step.durationMs = i < 4 ? 5.0 : 45.0;
        timeline.startMs.push_back(at);
        at += step.durationMs;
    }
    timeline.startMs.push_back(at);
    const std::vector<cli::GifFrameTiming> timings = cli::GifTimings(timeline);
    ASSERT_EQ(timings.size(), 10u);
    std::vector<int> delays;
    for (const auto& t : timings) {
        delays.push_back(t.delay);
    }
    // Due at the ends: 1 (0.5 rounds up), 1, 2, 2, 7, 11, 16, 20, 25, 29 hundredths; given
    // 2, 4, 6, 8, 10, 12, then on time again.
    EXPECT_EQ(delays, (std::vector<int>{2, 2, 2, 2, 2, 2, 4, 4, 5, 4}));
}

}  // namespace
}  // namespace kadr
