#include <benchmark/benchmark.h>

#include <random>

#include "frameset/document.h"
#include "frameset/drawing/shapes.h"
#include "frameset/picture_dots.h"

namespace {

kadr::GreyPicture Noise(int width, int height) {
    std::mt19937 rng(5);
    kadr::GreyPicture picture{width, height, {}};
    picture.grey.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (auto& grey : picture.grey) {
        grey = static_cast<std::uint8_t>(rng());
    }
    return picture;
}

// A photo-sized picture brought down to one frame: what the import does once, as the picture
// is read (a change in the import dialog only thresholds the cells again: import_bench).
void BM_FitPhotoIntoAFrame(benchmark::State& state) {
    const kadr::GreyPicture photo = Noise(1920, 1080);
    kadr::PictureToDots options;
    options.dither = state.range(0) != 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kadr::FramesOfPicture(photo, options));
    }
}
BENCHMARK(BM_FitPhotoIntoAFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The longest running line that still fits the set: 254 frames of 28 columns.
void BM_BannerToRunningLine(benchmark::State& state) {
    const kadr::GreyPicture banner = Noise(254 * 28, 14);
    kadr::PictureToDots options;
    options.runningLine = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kadr::FramesOfPicture(banner, options));
    }
}
BENCHMARK(BM_BannerToRunningLine)->Unit(benchmark::kMillisecond);

// A fill of the whole picture and a finished shape as the editor records them, undo included.
void BM_FillWholeFrame(benchmark::State& state) {
    kadr::Frame frame;
    kadr::FillBlank(frame);
    for (auto _ : state) {
        benchmark::DoNotOptimize(kadr::RegionCells(frame, {0, 0}));
    }
}
BENCHMARK(BM_FillWholeFrame);

void BM_RecordedShape(benchmark::State& state) {
    kadr::Document document;
    for (auto _ : state) {
        document.DrawShape(0, kadr::Tool::Box, {0, 0}, {27, 13}, false);
    }
}
BENCHMARK(BM_RecordedShape);

}  // namespace

BENCHMARK_MAIN();
