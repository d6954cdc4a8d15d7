// The frame strip at its busiest: 256 frames at "30 %" on a 3840-pixel strip (32 slots).
// Each measurement runs until the window has painted the result.
// Run: QT_QPA_PLATFORM=offscreen build/bin/editor_bench
#include <cstdlib>
#include <memory>

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>

#include "editor/strip/frame_grid.h"
#include "editor/strip/frame_strip.h"
#include "editor/strip/strip_geometry.h"
#include "editor/window/main_window.h"

namespace {

using kadr::editor::FrameGrid;
using kadr::editor::TfmMain;

constexpr int kStripWidth = 3840;

class BusyStrip {
  public:
    BusyStrip() : window_(std::make_unique<TfmMain>()) {
        window_->Doc().New(kadr::kMaxFrames);
        window_->findChild<QComboBox*>(QStringLiteral("cbMashtab"))
            ->setCurrentText(QStringLiteral("30 %"));
        window_->resize(kStripWidth, 500);
        window_->show();
        (void)QTest::qWaitForWindowExposed(window_.get());
        Settle();
    }

    TfmMain& Window() { return *window_; }
    FrameGrid& Grid(int slot) { return *window_->Strip().Grid(slot); }
    // Lets the window lay out and paint everything that is pending.
    static void Settle() { QApplication::processEvents(); }

  private:
    std::unique_ptr<TfmMain> window_;
};

// Made in main() and gone before the application object is.
BusyStrip* busyStrip = nullptr;

BusyStrip& Strip() {
    return *busyStrip;
}

// Counts the paint events of the grids, so that a measurement shows it painted what it timed.
class PaintCounter : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<FrameGrid*>(watched) != nullptr) {
            ++paints;
        }
        return false;
    }
    long long paints = 0;
};
PaintCounter* paintCounter = nullptr;

void ReportPaints(benchmark::State& state, long long before) {
    state.counters["grid paints/iteration"] =
        benchmark::Counter(static_cast<double>(paintCounter->paints - before) /
                           static_cast<double>(state.iterations()));
}

void BM_RebuildFrameStrip(benchmark::State& state) {
    BusyStrip& strip = Strip();
    const long long before = paintCounter->paints;
    for (auto _ : state) {
        strip.Window().RebuildFrameStrip(3);
        BusyStrip::Settle();
    }
    state.counters["slots"] = strip.Window().Strip().SlotCount();
    ReportPaints(state, before);
}

void BM_RefreshGrids(benchmark::State& state) {
    BusyStrip& strip = Strip();
    const long long before = paintCounter->paints;
    for (auto _ : state) {
        strip.Window().RefreshGrids();
        BusyStrip::Settle();
    }
    ReportPaints(state, before);
}

void BM_ToggleAndRepaint(benchmark::State& state) {
    BusyStrip& strip = Strip();
    FrameGrid& grid = strip.Grid(10);
    const QPoint cell = kadr::editor::GridCellRect(grid.CellSize(), 12, 6).center();
    const long long before = paintCounter->paints;
    for (auto _ : state) {
        QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, cell);
        BusyStrip::Settle();
    }
    ReportPaints(state, before);
}

BENCHMARK(BM_RebuildFrameStrip)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RefreshGrids)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ToggleAndRepaint)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir settingsHome;  // the window's settings store writes here, not to the user's
    setenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit().constData(), 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    PaintCounter counter;
    paintCounter = &counter;
    application.installEventFilter(&counter);
    {
        BusyStrip strip;
        busyStrip = &strip;
        benchmark::RunSpecifiedBenchmarks();
        busyStrip = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
