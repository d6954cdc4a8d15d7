// `kadr render`'s GIF of the longest running line the set holds: 256 frames, 7139 steps, at the
// default LED size, written to nowhere. `render_bench --sets DIR` writes the two sets instead
// (DIR/dots.kdz, DIR/text.kdz), for whole runs of `kadr render` timed with /usr/bin/time -v.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "cli/gif_writer.h"
#include "frameset/display_file.h"
#include "frameset/frame_kinds.h"
#include "frameset/playback/led_image.h"
#include "frameset/playback/timeline.h"
#include "frameset/text/builtin_font.h"
#include "frameset/text/running_line.h"

namespace {

using kadr::FrameSet;

// A start frame, 254 running-line frames of random dots, an end frame.
FrameSet RandomDotsLine() {
    std::mt19937 rng(19);
    FrameSet set;
    set.LastFrame = kadr::kMaxFrames - 1;
    set.SpeedRow = 40;
    kadr::SetBegStr(set.Frames[0]);
    for (int f = 1; f < kadr::kMaxFrames - 1; ++f) {
        kadr::FillBlank(set.Frames[static_cast<std::size_t>(f)]);
        kadr::SetStr(set.Frames[static_cast<std::size_t>(f)]);
        for (int c = 0; c < kadr::kColumns; ++c) {
            for (int r = 1; r < kadr::kRows; ++r) {
                if (r != 8 && rng() % 2 == 0) {
                    set.Cell(f, c, r) = kadr::kDotSet;
                }
            }
        }
    }
    kadr::SetEndStr(set.Frames[static_cast<std::size_t>(kadr::kMaxFrames - 1)]);
    return set;
}

// Text in the built-in font, cut to the 254 frames a line can have.
FrameSet TextLine() {
    std::string text;
    while (text.size() < 2400) {
        text += "Съешь же ещё этих мягких французских булок, да выпей чаю! 2026 ";
    }
    const kadr::text::BuiltinFont font;
    kadr::text::RenderedText rendered = kadr::text::RenderText(text, font, {});
    rendered.picture.width = std::min(rendered.picture.width, 254 * kadr::kColumns);
    rendered.picture.ink.resize(static_cast<std::size_t>(rendered.picture.width) * kadr::kDotRows);
    const std::vector<kadr::Frame> frames = kadr::text::RunningLineFrames(rendered.picture);
    FrameSet set;
    set.SpeedRow = 40;
    set.LastFrame = static_cast<int>(frames.size()) - 1;
    std::copy(frames.begin(), frames.end(), set.Frames.begin());
    return set;
}

void GifOf(benchmark::State& state, const FrameSet& set) {
    const kadr::playback::Timeline timeline = kadr::playback::BuildTimeline(set);
    const kadr::playback::LedPainter painter(kadr::playback::LedColour::Red, 8);
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        kadr::cli::EncodeGif(timeline, painter, [&bytes](std::span<const std::uint8_t> part) {
            bytes += part.size();
        });
    }
    state.counters["steps"] = static_cast<double>(timeline.steps.size());
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_GifOfARandomDotsLine(benchmark::State& state) {
    GifOf(state, RandomDotsLine());
}
BENCHMARK(BM_GifOfARandomDotsLine)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GifOfATextLine(benchmark::State& state) {
    GifOf(state, TextLine());
}
BENCHMARK(BM_GifOfATextLine)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--sets") == 0) {
        const std::string dir = argv[2];
        kadr::WriteDisplayFile(dir + "/dots.kdz", RandomDotsLine());
        kadr::WriteDisplayFile(dir + "/text.kdz", TextLine());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
