#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

#include "frameset/display_file.h"
#include "frameset/document.h"
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

// The commands on a selection: a document of `frames` random frames, every one selected; each
// iteration runs the command and its Undo, so the time is an upper bound of the command's.
using SelectionCommand = kadr::EditResult (*)(kadr::Document&, kadr::MemoryClipboard&);

void SelectEveryFrame(kadr::Document& document) {
    document.SelectFrame(0, kadr::Pick::Only);
    document.SelectAll();
}

void BM_OnSelection(benchmark::State& state, int frames, SelectionCommand command) {
    auto document = std::make_unique<kadr::Document>();
    const auto random = std::make_unique<kadr::FrameSet>(FullRandomSet());
    document->New(frames);
    std::copy(random->Frames.begin(), random->Frames.begin() + frames,
              document->Set().Frames.begin());
    SelectEveryFrame(*document);
    kadr::MemoryClipboard clipboard;
    document->Copy(clipboard);
    for (auto _ : state) {
        if (!command(*document, clipboard).Applied()) {
            state.SkipWithError("the command was refused");
            break;
        }
        document->Undo();
        SelectEveryFrame(*document);
    }
}

using D = kadr::Document;
using C = kadr::MemoryClipboard;
BENCHMARK_CAPTURE(BM_OnSelection, clear_256, 256, [](D& d, C&) { return d.Clear(); });
BENCHMARK_CAPTURE(BM_OnSelection, shift_left_256, 256, [](D& d, C&) { return d.MoveToLeft(); });
BENCHMARK_CAPTURE(BM_OnSelection, shift_down_256, 256, [](D& d, C&) { return d.MoveToDown(); });
BENCHMARK_CAPTURE(BM_OnSelection, end_kind_256, 256, [](D& d, C&) { return d.SetEndStr(); });
BENCHMARK_CAPTURE(BM_OnSelection, invert_256, 256, [](D& d, C&) { return d.Invert(); });
BENCHMARK_CAPTURE(BM_OnSelection, flip_v_256, 256, [](D& d, C&) { return d.FlipVertical(); });
BENCHMARK_CAPTURE(BM_OnSelection, delete_256, 256, [](D& d, C&) { return d.Delete(); });
BENCHMARK_CAPTURE(BM_OnSelection, cut_256, 256, [](D& d, C& c) { return d.Cut(c); });
BENCHMARK_CAPTURE(BM_OnSelection, reverse_256, 256, [](D& d, C&) { return d.Reverse(); });
BENCHMARK_CAPTURE(BM_OnSelection, drop_256, 256, [](D& d, C&) {
    d.SelectFrame(255, kadr::Pick::Toggle);  // a gap to close up: all but the last
    return d.DropSelected(256, false);
});
BENCHMARK_CAPTURE(BM_OnSelection, frame_left_255, 256, [](D& d, C&) {
    d.SelectFrame(0, kadr::Pick::Toggle);
    return d.MoveFrameLeft();
});
BENCHMARK_CAPTURE(BM_OnSelection, paste_over_256, 256, [](D& d, C& c) {
    c.WriteFrame(d.Set().Frames[7]);
    return d.Paste(c);
});
// The commands that add frames, on the largest selection whose result still fits.
BENCHMARK_CAPTURE(BM_OnSelection, duplicate_128, 128, [](D& d, C&) { return d.Duplicate(); });
BENCHMARK_CAPTURE(BM_OnSelection, repeat_2_128, 128, [](D& d, C&) { return d.Repeat(2); });
BENCHMARK_CAPTURE(BM_OnSelection, pingpong_129, 129, [](D& d, C&) { return d.PingPong(); });
BENCHMARK_CAPTURE(BM_OnSelection, paste_128_after_128, 128, [](D& d, C& c) { return d.Paste(c); });

void BM_CopySelection256(benchmark::State& state) {
    auto document = std::make_unique<kadr::Document>();
    document->New(256);
    SelectEveryFrame(*document);
    kadr::MemoryClipboard clipboard;
    for (auto _ : state) {
        document->Copy(clipboard);
    }
}
BENCHMARK(BM_CopySelection256)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
