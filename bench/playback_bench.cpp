// The playback timeline is rebuilt on every edit while the preview is open, and `kadr render`
// builds one per picture: its cost for the largest sets.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "frameset/frame_kinds.h"
#include "frameset/playback/led_image.h"
#include "frameset/playback/playback_input.h"
#include "frameset/playback/timeline.h"

namespace {

// 256 frames of running lines: `lines` lines, each a start, its frames of random dots and an end.
std::unique_ptr<kadr::FrameSet> RunningLines(int lines) {
    auto set = std::make_unique<kadr::FrameSet>();
    set->LastFrame = kadr::kMaxFrames - 1;
    std::mt19937 rng(3);
    const int per = kadr::kMaxFrames / lines;
    for (int f = 0; f < kadr::kMaxFrames; ++f) {
        kadr::Frame& frame = set->Frames[static_cast<std::size_t>(f)];
        for (auto& cell : frame) {
            cell = static_cast<std::uint8_t>(rng() & 1);
        }
        const int at = f % per;
        if (at == 0) {
            kadr::SetBegStr(frame);
        } else if (at == per - 1 || f == kadr::kMaxFrames - 1) {
            kadr::SetEndStr(frame);
        } else {
            kadr::SetStr(frame);
        }
    }
    return set;
}

void BM_BuildTimeline(benchmark::State& state) {
    const auto set = RunningLines(static_cast<int>(state.range(0)));
    kadr::playback::Timeline timeline;
    for (auto _ : state) {
        kadr::playback::BuildTimeline(*set, timeline);
        benchmark::DoNotOptimize(timeline.steps.data());
    }
    state.counters["steps"] = static_cast<double>(timeline.steps.size());
    // Time per thousand steps, the figure the preview's rebuilds are held to.
    state.counters["per1000steps"] = benchmark::Counter(
        static_cast<double>(timeline.steps.size()) / 1000.0,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BuildTimeline)->Arg(1)->Arg(8)->Arg(64)->Unit(benchmark::kMicrosecond);

void BM_BuildTimelineFresh(benchmark::State& state) {
    const auto set = RunningLines(1);
    for (auto _ : state) {
        auto timeline = kadr::playback::BuildTimeline(*set);
        benchmark::DoNotOptimize(timeline.steps.data());
    }
}
BENCHMARK(BM_BuildTimelineFresh)->Unit(benchmark::kMicrosecond);

// What the preview pays every 40 ms while nothing changes.
void BM_WatchUnchangedDocument(benchmark::State& state) {
    const auto set = RunningLines(1);
    kadr::playback::PlaybackInput input;
    input.Update(*set);
    for (auto _ : state) {
        benchmark::DoNotOptimize(input.Update(*set));
    }
}
BENCHMARK(BM_WatchUnchangedDocument)->Unit(benchmark::kMicrosecond);

void BM_PaintGifFrame(benchmark::State& state) {
    const auto set = RunningLines(1);
    const auto timeline = kadr::playback::BuildTimeline(*set);
    const kadr::playback::LedPainter painter(kadr::playback::LedColour::Red, 8);
    std::size_t i = 0;
    for (auto _ : state) {
        auto image = painter.Paint(timeline.steps[i++ % timeline.steps.size()].picture);
        benchmark::DoNotOptimize(image.pixels.data());
    }
}
BENCHMARK(BM_PaintGifFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
