// The import dialog answering a change of threshold, dithering or inversion: it thresholds the
// cells it was given again and paints its preview, for one photo and for a 100-picture GIF.
// Run: QT_QPA_PLATFORM=offscreen build/bin/import_bench
// `import_bench --files DIR` writes the pictures the import's bounds are measured on instead:
// DIR/many.gif, a few KB declaring a 2000 x 2000 screen with 257 pictures of 1 x 1, and
// DIR/huge.png, 10000 x 10000 (timed with /usr/bin/time -v build/bin/kadr import; see README).
#include <gif_lib.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
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

bool WriteManyPictures(const std::string& path) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (gif == nullptr) {
        return false;
    }
    EGifSetGifVersion(gif, true);
    const GifColorType colours[2] = {{0, 0, 0}, {255, 255, 255}};
    ColorMapObject* map = GifMakeMapObject(2, colours);
    bool written = EGifPutScreenDesc(gif, 2000, 2000, 1, 1, map) == GIF_OK;
    GifFreeMapObject(map);
    GifPixelType pixel = 0;
    for (int i = 0; written && i < 257; ++i) {
        written = EGifPutImageDesc(gif, i, 0, 1, 1, false, nullptr) == GIF_OK &&
                  EGifPutLine(gif, &pixel, 1) == GIF_OK;
    }
    return EGifCloseFile(gif, &error) == GIF_OK && written;
}

bool WriteHugePng(const std::string& path) {
    QImage picture(10000, 10000, QImage::Format_RGB888);
    picture.fill(255);
    for (int y = 2500; y < 7500; ++y) {
        std::memset(picture.scanLine(y) + 3 * 2500, 0, 3 * 5000);
    }
    return picture.save(QString::fromStdString(path), "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--files") == 0) {
        const std::string dir = argv[2];
        return WriteManyPictures(dir + "/many.gif") && WriteHugePng(dir + "/huge.png") ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
