#include <gif_lib.h>
#include <gtest/gtest.h>
#include <QImage>

#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

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
using playback::PanelGeometry;
using playback::Rgb;
using testing::DecodedGif;
using testing::Kadr;
using testing::ProcessResult;
using testing::TempDir;

// Start, three running-line frames with dots, end, and two animation frames: one pass is
// 28 x 3 + 27 line steps and 2 frames.
FrameSet LineAndAnimation(int speedAnim, int speedRow) {
    FrameSet set;
    set.LastFrame = 6;
    set.SpeedAnim = speedAnim;
    set.SpeedRow = speedRow;
    std::mt19937 rng(7);
    SetBegStr(set.Frames[0]);
    for (int f = 1; f <= 3; ++f) {
        for (int c = 0; c < kColumns; ++c) {
            for (int r = 1; r < kRows; ++r) {
                set.Cell(f, c, r) = rng() % 3 == 0 ? kDotSet : kDotBlank;
            }
        }
        SetStr(set.Frames[static_cast<std::size_t>(f)]);
    }
    SetEndStr(set.Frames[4]);
    set.Cell(5, 4, 2) = kDotSet;
    set.Cell(6, 20, 12) = kDotSet;
    return set;
}

TEST(KadrRender, GifShowsEveryStepInTimeAndLoopsForever) {
    TempDir dir;
    const FrameSet set = LineAndAnimation(3, 10);
    WriteDisplayFile(dir.File("show.kdz"), set);
    const ProcessResult r =
        Kadr({"render", dir.File("show.kdz"), dir.File("show.gif"), "--colour", "amber"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << "a regular set has no notes: " << r.err;

    const DecodedGif gif(dir.File("show.gif"));
    ASSERT_TRUE(gif.gif);
    const playback::Timeline timeline = playback::BuildTimeline(set);
    ASSERT_EQ(static_cast<int>(timeline.steps.size()), 113);
    ASSERT_EQ(gif.Frames(), 113) << "no two steps in a row show the same";
    for (int i = 0; i < 111; ++i) {
        ASSERT_EQ(gif.Delay(i), 10) << i;
    }
    // 11.1 s of line, then 1000/3 ms twice: due at 1143.3 and 1176.7 hundredths.
    EXPECT_EQ(gif.Delay(111), 33);
    EXPECT_EQ(gif.Delay(112), 34);
    EXPECT_EQ(gif.LoopCount(), 0);

    const PanelGeometry g{8};
    EXPECT_EQ(gif.gif->SWidth, g.Width());
    EXPECT_EQ(gif.gif->SHeight, g.Height());
    const playback::LedPainter painter(LedColour::Amber, 8);
    int lit = 0;
    gif.ForEachScreen([&](int frame, const std::vector<Rgb>& screen) {
        const playback::Picture& picture = timeline.steps[static_cast<std::size_t>(frame)].picture;
        lit += picture.LitCount();
        ASSERT_TRUE(screen == testing::Colours(painter, picture)) << "frame " << frame;
        // The centre of every LED in the colour of its state.
        for (int c = 0; c < playback::kDisplayColumns; ++c) {
            for (int row = 0; row < kDotRows; ++row) {
                ASSERT_EQ(screen[static_cast<std::size_t>((g.CellY(row) + 4) * g.Width() +
                                                          g.CellX(c) + 4)],
                          picture.Lit(c, row) ? playback::LitRgb(LedColour::Amber)
                                              : playback::UnlitRgb(LedColour::Amber))
                    << "frame " << frame << " LED " << c << "," << row;
            }
        }
    });
    EXPECT_GT(lit, 100) << "the test set lights many LEDs";
}

TEST(KadrRender, TheFastestStillKeepsTwoHundredths) {
    TempDir dir;
    FrameSet set;
    set.SpeedAnim = 50;
    WriteDisplayFile(dir.File("fast.kdz"), set);
    ASSERT_EQ(Kadr({"render", dir.File("fast.kdz"), dir.File("fast.gif"), "--scale", "2"}).exitCode,
              0);
    const DecodedGif gif(dir.File("fast.gif"));
    ASSERT_TRUE(gif.gif);
    EXPECT_EQ(gif.Frames(), 1);
    EXPECT_EQ(gif.Delay(0), 2);
    EXPECT_EQ(gif.gif->SWidth, 60);
}

TEST(KadrRender, PngShowsOneFrameOrASheetOfAll) {
    TempDir dir;
    FrameSet set = LineAndAnimation(1, 1);
    set.LastFrame = 9;  // three more blank frames: two rows of the sheet
    for (int f = 7; f <= 9; ++f) {
        FillBlank(set.Frames[static_cast<std::size_t>(f)]);
    }
    WriteDisplayFile(dir.File("s.kdz"), set);

    ProcessResult r = Kadr({"render", "--frame", "6", "--scale", "4", "--colour", "blue",
                            dir.File("s.kdz"), dir.File("six.png")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    QImage six(QString::fromStdString(dir.File("six.png")));
    ASSERT_FALSE(six.isNull());
    const PanelGeometry g{4};
    ASSERT_EQ(six.width(), g.Width());
    ASSERT_EQ(six.height(), g.Height());
    const auto at = [](const QImage& image, int x, int y) {
        const QRgb p = image.pixel(x, y);
        return Rgb{static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                   static_cast<std::uint8_t>(qBlue(p))};
    };
    // Frame 6 has its dot at column 4, frame row 2, which is display row 1.
    EXPECT_EQ(at(six, g.CellX(4) + 2, g.CellY(1) + 2), playback::LitRgb(LedColour::Blue));
    EXPECT_EQ(at(six, g.CellX(5) + 2, g.CellY(1) + 2), playback::UnlitRgb(LedColour::Blue));

    r = Kadr({"render", dir.File("s.kdz"), dir.File("sheet.PNG")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    QImage sheet(QString::fromStdString(dir.File("sheet.PNG")));
    const PanelGeometry g8{8};
    const int cellH = g8.Height() + 14;
    ASSERT_EQ(sheet.width(), 8 * g8.Width());
    ASSERT_EQ(sheet.height(), 2 * cellH);
    // Frame 7 is the seventh picture of the first row; its dot is column 20, display row 10.
    EXPECT_EQ(at(sheet, 6 * g8.Width() + g8.CellX(20) + 4, g8.CellY(10) + 4),
              playback::LitRgb(LedColour::Red));
    // A running-line frame shows its picture, not its marks.
    int litInFrame2 = 0;
    for (int c = 0; c < playback::kDisplayColumns; ++c) {
        for (int row = 0; row < kDotRows; ++row) {
            const bool on = set.Cell(1, c, playback::FrameRowOf(row)) == kDotSet;
            litInFrame2 += on ? 1 : 0;
            ASSERT_EQ(at(sheet, g8.Width() + g8.CellX(c) + 4, g8.CellY(row) + 4),
                      on ? playback::LitRgb(LedColour::Red) : playback::UnlitRgb(LedColour::Red));
        }
    }
    EXPECT_GT(litInFrame2, 0);
}

TEST(KadrRender, NotesGoToStderrAndNothingToPlayFails) {
    TempDir dir;
    FrameSet set;
    set.LastFrame = 1;
    SetEndStr(set.Frames[0]);
    WriteDisplayFile(dir.File("odd.kdz"), set);
    ProcessResult r = Kadr({"render", dir.File("odd.kdz"), dir.File("odd.gif")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.err.find("Кадр 1: конец бегущей строки без начала"), std::string::npos) << r.err;
    EXPECT_EQ(DecodedGif(dir.File("odd.gif")).Frames(), 1);

    set.LastFrame = 0;
    WriteDisplayFile(dir.File("end.kdz"), set);
    r = Kadr({"render", dir.File("end.kdz"), dir.File("end.gif")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("nothing to play"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("end.gif")));

    set.LastFrame = -1;
    WriteDisplayFile(dir.File("empty.kdz"), set);
    EXPECT_EQ(Kadr({"render", dir.File("empty.kdz"), dir.File("empty.gif")}).exitCode, 1);
    EXPECT_EQ(Kadr({"render", dir.File("empty.kdz"), dir.File("empty.png")}).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("empty.png")));
    EXPECT_EQ(Kadr({"render", dir.File("odd.kdz"), dir.File("no/such/dir/x.gif")}).exitCode, 1);
    EXPECT_EQ(Kadr({"render", dir.File("absent.kdz"), dir.File("x.gif")}).exitCode, 1);
}

TEST(KadrRender, BadUsageExitsTwoAndWritesNothing) {
    TempDir dir;
    FrameSet set;
    WriteDisplayFile(dir.File("in.kdz"), set);
    const std::string in = dir.File("in.kdz");
    const std::string gif = dir.File("out.gif");
    const std::string png = dir.File("out.png");
    const std::vector<std::vector<std::string>> bad{
        {"render"},
        {"render", in},
        {"render", in, dir.File("out.bmp")},
        {"render", in, gif, "--scale", "0"},
        {"render", in, gif, "--scale", "33"},
        {"render", in, gif, "--scale"},
        {"render", in, gif, "--colour", "purple"},
        {"render", in, gif, "--frame", "1"},
        {"render", in, png, "--frame", "2"},
        {"render", in, png, "--frame", "0"},
        {"render", in, png, "--speed", "3"},
        {"render", in, gif, png},
    };
    for (const auto& args : bad) {
        const ProcessResult r = Kadr(args);
        EXPECT_EQ(r.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_NE(r.err.find("usage: kadr"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(gif));
        EXPECT_FALSE(std::filesystem::exists(png));
    }
}

}  // namespace
}  // namespace kadr
