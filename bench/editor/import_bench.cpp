// The import dialog answering a change of threshold, dithering or inversion: it thresholds the
// cells it was given again and paints its preview, for one photo and for a 100-picture GIF.
// Run: QT_QPA_PLATFORM=offscreen build/bin/import_bench
#include <cstdlib>
#include <random>

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QCheckBox>
#include <QSlider>
#include <QWidget>

#include "editor/dialogs/import_dialog.h"
#include "frameset/picture_cells.h"

namespace {

using kadr::editor::TfmImport;

kadr::PictureCells NoiseCells(int width, int height, unsigned seed) {
    std::mt19937 rng(seed);
    kadr::GreyPicture picture{width, height, {}};
    picture.grey.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (auto& grey : picture.grey) {
        grey = static_cast<std::uint8_t>(rng());
    }
    return kadr::CellsOfPicture(picture);
}

// One change as the user makes it, then the preview painted as the screen would show it.
void Change(benchmark::State& state, std::vector<kadr::PictureCells> pictures) {
    TfmImport dialog(std::move(pictures), kadr::kMaxFrames, nullptr);
    QWidget* preview = dialog.findChild<QWidget*>(QStringLiteral("ImportPreview"));
    int step = 0;
    for (auto _ : state) {
        switch (state.range(0)) {
            case 0:
                dialog.Threshold()->setValue(step % 2 == 0 ? 100 : 160);
                break;
            case 1:
                dialog.Dither()->setChecked(step % 2 == 0);
                break;
            default:
                dialog.Invert()->setChecked(step % 2 == 0);
                break;
        }
        ++step;
        benchmark::DoNotOptimize(preview->grab());
    }
    state.counters["frames"] = static_cast<double>(dialog.Frames().size());
}

void BM_PhotoChange(benchmark::State& state) {
    Change(state, {NoiseCells(1920, 1080, 1)});
}
BENCHMARK(BM_PhotoChange)
    ->ArgName("threshold|dither|invert")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);

void BM_HundredPictureGifChange(benchmark::State& state) {
    std::vector<kadr::PictureCells> pictures;
    for (unsigned i = 0; i < 100; ++i) {
        pictures.push_back(NoiseCells(320, 240, i));
    }
    Change(state, std::move(pictures));
}
BENCHMARK(BM_HundredPictureGifChange)
    ->ArgName("threshold|dither|invert")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
