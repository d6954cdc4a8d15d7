// The size of `kadr render`'s GIF against a general-purpose GIF optimiser: gifsicle -O3 given
// the plain GIF of the same set (every step a whole picture), as the GIF was before it stored
// only what changes. Skipped where gifsicle is not installed.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "frameset/display_file.h"
#include "frameset/frame_kinds.h"
#include "frameset/playback/led_image.h"
#include "frameset/playback/timeline.h"
#include "frameset/text/builtin_font.h"
#include "frameset/text/running_line.h"
#include "frameset/text/text_renderer.h"
#include "tests/support/kadr_tool.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using testing::Kadr;
using testing::RunProcess;
using testing::TempDir;

std::string Gifsicle() {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "/usr/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::filesystem::path program = std::filesystem::path(folder) / "gifsicle";
        if (std::filesystem::exists(program)) {
            return program.string();
        }
    }
    return {};
}

// Every step as a whole picture, each delay rounded on its own.
void WritePlainGif(const std::string& path, const FrameSet& set) {
    const playback::Timeline timeline = playback::BuildTimeline(set);
    const playback::LedPainter painter(playback::LedColour::Red, 8);
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    ASSERT_NE(gif, nullptr);
    EGifSetGifVersion(gif, true);
    ColorMapObject* map = GifMakeMapObject(32, nullptr);
    for (std::size_t i = 0; i < painter.Palette().size(); ++i) {
        const playback::Rgb c = painter.Palette()[i];
        map->Colors[i] = GifColorType{c.r, c.g, c.b};
    }
    const int width = painter.Geometry().Width();
    const int height = painter.Geometry().Height();
    ASSERT_EQ(EGifPutScreenDesc(gif, width, height, 8, 0, map), GIF_OK);
    GifFreeMapObject(map);
    for (const playback::Step& step : timeline.steps) {
        GraphicsControlBlock control{};
        control.DelayTime = std::max(2, static_cast<int>(std::lround(step.durationMs / 10)));
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        ASSERT_EQ(
            EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension),
            GIF_OK);
        playback::IndexedImage image = painter.Paint(step.picture);
        ASSERT_EQ(EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr), GIF_OK);
        ASSERT_EQ(EGifPutLine(gif, image.pixels.data(), width * height), GIF_OK);
    }
    ASSERT_EQ(EGifCloseFile(gif, &error), GIF_OK);
}

void ExpectWithinATenthOfGifsicle(const FrameSet& set, const std::string& name) {
    const std::string gifsicle = Gifsicle();
    if (gifsicle.empty()) {
        GTEST_SKIP() << "gifsicle is not installed (scripts/install-deps.sh test installs it)";
    }
    TempDir dir;
    WriteDisplayFile(dir.File("in.kdz"), set);
    ASSERT_EQ(Kadr({"render", dir.File("in.kdz"), dir.File("ours.gif")}).exitCode, 0);
    WritePlainGif(dir.File("plain.gif"), set);
    const auto r =
        RunProcess(gifsicle, {"-O3", dir.File("plain.gif"), "-o", dir.File("gifsicle.gif")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto ours = std::filesystem::file_size(dir.File("ours.gif"));
    const auto plain = std::filesystem::file_size(dir.File("plain.gif"));
    const auto theirs = std::filesystem::file_size(dir.File("gifsicle.gif"));
    ::testing::Test::RecordProperty(name + "_ours", std::to_string(ours));
    ::testing::Test::RecordProperty(name + "_gifsicle", std::to_string(theirs));
    EXPECT_LE(static_cast<double>(ours), 1.1 * static_cast<double>(theirs))
        << name << ": ours " << ours << ", gifsicle -O3 " << theirs << ", plain " << plain;
    EXPECT_LT(ours, plain) << name;
    std::printf("%s: ours %ju, gifsicle -O3 %ju, plain %ju\n", name.c_str(), std::uintmax_t{ours},
                std::uintmax_t{theirs}, std::uintmax_t{plain});
}

// A start frame, random dots in every cell of the line's frames, an end frame.
FrameSet RandomDotsLine(int frames, std::uint32_t seed) {
    std::mt19937 rng(seed);
    FrameSet set;
    set.SpeedRow = 40;
    set.LastFrame = frames - 1;
    SetBegStr(set.Frames[0]);
    for (int f = 1; f < frames - 1; ++f) {
        FillBlank(set.Frames[static_cast<std::size_t>(f)]);
        SetStr(set.Frames[static_cast<std::size_t>(f)]);
        for (int c = 0; c < kColumns; ++c) {
            for (int r = 1; r < kRows; ++r) {
                if (r != 8 && rng() % 2 == 0) {
                    set.Cell(f, c, r) = kDotSet;
                }
            }
        }
    }
    SetEndStr(set.Frames[static_cast<std::size_t>(frames - 1)]);
    return set;
}

// A sentence in the built-in font as a running line of `frames` frames.
FrameSet TextLine(int frames) {
    std::string text;
    while (text.size() < 1000) {
        text += "Съешь же ещё этих мягких французских булок, да выпей чаю! ";
    }
    const text::BuiltinFont font;
    text::RenderedText rendered = text::RenderText(text, font, {});
    rendered.picture.width = std::min(rendered.picture.width, (frames - 2) * kColumns);
    rendered.picture.ink.resize(static_cast<std::size_t>(rendered.picture.width) * kDotRows);
    const std::vector<Frame> made = text::RunningLineFrames(rendered.picture);
    FrameSet set;
    set.SpeedRow = 40;
    set.LastFrame = static_cast<int>(made.size()) - 1;
    std::copy(made.begin(), made.end(), set.Frames.begin());
    return set;
}

TEST(KadrGifSize, AFortyFrameTextLineIsWithinATenthOfGifsicle) {
    const FrameSet set = TextLine(40);
    ASSERT_EQ(set.LastFrame, 39);
    ExpectWithinATenthOfGifsicle(set, "text");
}

TEST(KadrGifSize, A256FrameLineOfRandomDotsIsWithinATenthOfGifsicle) {
    ExpectWithinATenthOfGifsicle(RandomDotsLine(kMaxFrames, 4), "dots");
}

}  // namespace
}  // namespace kadr
