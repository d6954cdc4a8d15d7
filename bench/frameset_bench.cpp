#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "frameset/display_file.h"
#include "frameset/frame_codec.h"
#include "frameset/module_files.h"
#include "frameset/undo_history.h"

namespace {

kadr::FrameSet FullRandomSet() {
    std::mt19937 rng(1);
    kadr::FrameSet set;
    set.LastFrame = kadr::kMaxFrames - 1;
    for (auto& frame : set.Frames) {
        for (auto& cell : frame) {
            cell = static_cast<std::uint8_t>(rng() & 1);
        }
    }
    return set;
}

std::string BenchFolder() {
    auto dir = std::filesystem::temp_directory_path() / "kadr-bench";
    std::filesystem::create_directories(dir);
    return dir.string();
}

void BM_RecordUndo(benchmark::State& state) {
    auto set = std::make_unique<kadr::FrameSet>(FullRandomSet());
    kadr::UndoHistory history;
    for (auto _ : state) {
        history.RecordUndo(*set);  // mostly on a full history: the oldest step falls out
    }
}
BENCHMARK(BM_RecordUndo);

void BM_UndoRedo(benchmark::State& state) {
    auto set = std::make_unique<kadr::FrameSet>(FullRandomSet());
    kadr::UndoHistory history;
    for (int i = 0; i < 64; ++i) {
        history.RecordUndo(*set);
    }
    for (auto _ : state) {
        if (!history.Undo(*set)) {
            while (history.Redo(*set)) {
            }
        }
    }
}
BENCHMARK(BM_UndoRedo);

void BM_EncodeFrame(benchmark::State& state) {
    const auto set = std::make_unique<kadr::FrameSet>(FullRandomSet());
    std::size_t f = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kadr::EncodeFrame(set->Frames[f++ & 0xFF]));
    }
}
BENCHMARK(BM_EncodeFrame);

void BM_DecodeFrame(benchmark::State& state) {
    const auto set = std::make_unique<kadr::FrameSet>(FullRandomSet());
    const kadr::FrameRecord record = kadr::EncodeFrame(set->Frames[3]);
    kadr::Frame frame;
    for (auto _ : state) {
        kadr::DecodeFrame(record.data(), frame);
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(BM_DecodeFrame);

void BM_WriteDisplayFile256(benchmark::State& state) {
    const auto set = std::make_unique<kadr::FrameSet>(FullRandomSet());
    const std::string path = BenchFolder() + "/bench.kdz";
    for (auto _ : state) {
        kadr::WriteDisplayFile(path, *set);
    }
}
BENCHMARK(BM_WriteDisplayFile256)->Unit(benchmark::kMicrosecond);

void BM_ReadDisplayFile256(benchmark::State& state) {
    auto set = std::make_unique<kadr::FrameSet>(FullRandomSet());
    const std::string path = BenchFolder() + "/bench.kdz";
    kadr::WriteDisplayFile(path, *set);
    for (auto _ : state) {
        kadr::ReadDisplayFile(path, *set);
    }
}
BENCHMARK(BM_ReadDisplayFile256)->Unit(benchmark::kMicrosecond);

void BM_WriteModuleFiles256(benchmark::State& state) {
    const auto set = std::make_unique<kadr::FrameSet>(FullRandomSet());
    const std::string path = BenchFolder() + "/bench.bin";
    for (auto _ : state) {
        kadr::WriteModuleFiles(path, *set);
    }
}
BENCHMARK(BM_WriteModuleFiles256)->Unit(benchmark::kMicrosecond);

void BM_ReadModuleFiles256(benchmark::State& state) {
    auto set = std::make_unique<kadr::FrameSet>(FullRandomSet());
    const std::string path = BenchFolder() + "/bench.bin";
    kadr::WriteModuleFiles(path, *set);
    for (auto _ : state) {
        kadr::ReadModuleFiles(path, *set);
    }
}
BENCHMARK(BM_ReadModuleFiles256)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
