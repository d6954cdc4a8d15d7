#include <gif_lib.h>
#include <gtest/gtest.h>
#include <QImage>

#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include "cli/gif_writer.h"
#include "frameset/display_file.h"
#include "frameset/frame_kinds.h"
#include "frameset/playback/led_image.h"
#include "frameset/playback/timeline.h"
#include "tests/support/kadr_tool.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using playback::LedColour;
using playback::PanelGeometry;
using playback::Rgb;
using testing::Kadr;
using testing::ProcessResult;
using testing::TempDir;

// A GIF as giflib's decoder reads it back.
struct DecodedGif {
    struct Closer {
        void operator()(GifFileType* gif) const {
            int error = 0;
            DGifCloseFile(gif, &error);
        }
    };
    std::unique_ptr<GifFileType, Closer> gif;

    explicit DecodedGif(const std::string& path) {
        int error = 0;
        gif.reset(DGifOpenFileName(path.c_str(), &error));
        if (gif && DGifSlurp(gif.get()) != GIF_OK) {
            gif.reset();
        }
    }
    int Frames() const { return gif->ImageCount; }
    int Delay(int frame) const {
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif.get(), frame, &control);
        return control.DelayTime;
    }
    // The loop count of the NETSCAPE2.0 extension, or -1 when there is none.
    int LoopCount() const {
        const SavedImage& first = gif->SavedImages[0];
        for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
            const ExtensionBlock& block = first.ExtensionBlocks[i];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
                const ExtensionBlock& data = first.ExtensionBlocks[i + 1];
                return data.ByteCount == 3 && data.Bytes[0] == 1
                           ? data.Bytes[1] | (data.Bytes[2] << 8)
                           : -1;
            }
        }
        return -1;
    }
    Rgb Pixel(int frame, int x, int y) const {
        const SavedImage& image = gif->SavedImages[frame];
        const ColorMapObject* map =
            image.ImageDesc.ColorMap != nullptr ? image.ImageDesc.ColorMap : gif->SColorMap;
        const int index = image.RasterBits[y * image.ImageDesc.Width + x];
        const GifColorType c = map->Colors[index];
        return Rgb{c.Red, c.Green, c.Blue};
    }
};

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

TEST(KadrRender, GifHasOneFramePerStepWithItsDelayAndLoopsForever) {
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
    ASSERT_EQ(gif.Frames(), 113);
    ASSERT_EQ(static_cast<int>(timeline.steps.size()), 113);
    for (int i = 0; i < 111; ++i) {
        ASSERT_EQ(gif.Delay(i), 10) << i;
    }
    EXPECT_EQ(gif.Delay(111), 33) << "1000/3 ms rounds to 33 hundredths";
    EXPECT_EQ(gif.Delay(112), 33);
    EXPECT_EQ(gif.LoopCount(), 0);

    const PanelGeometry g{8};
    EXPECT_EQ(gif.gif->SWidth, g.Width());
    EXPECT_EQ(gif.gif->SHeight, g.Height());
    int lit = 0;
    for (const int frame : {0, 30, 56, 84, 110, 111, 112}) {
        const playback::Picture& picture = timeline.steps[static_cast<std::size_t>(frame)].picture;
        for (int c = 0; c < playback::kDisplayColumns; ++c) {
            for (int row = 0; row < kDotRows; ++row) {
                const bool on = picture.Lit(c, row);
                lit += on ? 1 : 0;
                ASSERT_EQ(
                    gif.Pixel(frame, g.CellX(c) + 4, g.CellY(row) + 4),
                    on ? playback::LitRgb(LedColour::Amber) : playback::UnlitRgb(LedColour::Amber))
                    << "frame " << frame << " LED " << c << "," << row;
            }
        }
    }
    EXPECT_GT(lit, 100) << "the test set lights many LEDs";
}

TEST(KadrRender, DelaysRoundToTheNearestHundredthAndNeverBelowTwo) {
    EXPECT_EQ(cli::GifDelay(1000.0), 100);
    EXPECT_EQ(cli::GifDelay(1000.0 / 3), 33);
    EXPECT_EQ(cli::GifDelay(1000.0 / 6), 17);
    EXPECT_EQ(cli::GifDelay(1000.0 / 7), 14);
    EXPECT_EQ(cli::GifDelay(1000.0 / 50), 2);
    EXPECT_EQ(cli::GifDelay(10.0), 2);

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
