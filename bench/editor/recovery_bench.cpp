// What the recovery copy costs the window's thread for a full document of 256 frames: the look
// at the document every poll, and a poll that finds a change and hands a new copy to the writer
// (which writes it, to the medium, on its own thread meanwhile).
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include <QDir>
#include <QTemporaryDir>

#include "editor/recovery/recovery_store.h"
#include "editor/recovery/recovery_writer.h"
#include "frameset/recovery_copy.h"

namespace {

std::unique_ptr<kadr::FrameSet> FullSet() {
    std::mt19937 rng(1);
    auto set = std::make_unique<kadr::FrameSet>();
    set->LastFrame = kadr::kMaxFrames - 1;
    for (auto& frame : set->Frames) {
        for (auto& cell : frame) {
            cell = static_cast<std::uint8_t>(rng() & 1);
        }
    }
    set->FileName = "/home/user/Бегущая строка.kdz";
    return set;
}

// A poll that finds nothing new: one comparison of the frames in use.
void BM_PollUnchanged(benchmark::State& state) {
    const auto set = FullSet();
    const auto seen = std::make_unique<kadr::FrameSet>(*set);
    for (auto _ : state) {
        benchmark::DoNotOptimize(kadr::SameDocument(*seen, *set));
    }
}
BENCHMARK(BM_PollUnchanged)->Unit(benchmark::kMicrosecond);

// A poll that finds a change and writes: compare, keep what was seen, encode, hand over.
void BM_PollWithCopy(benchmark::State& state) {
    QTemporaryDir dir;
    kadr::editor::RecoveryStore store(QDir(dir.path()).filePath(QStringLiteral("recovery")));
    kadr::editor::RecoveryWriter writer(
        [&store](const std::vector<std::uint8_t>& bytes) { return store.WriteOwn(bytes); },
        [&store] { store.RemoveOwn(); });
    const auto set = FullSet();
    const auto seen = std::make_unique<kadr::FrameSet>(*set);
    std::int64_t when = 0;
    for (auto _ : state) {
        set->Frames[255][100] ^= 1;  // the change is at the very end: the whole set is compared
        if (!kadr::SameDocument(*seen, *set)) {
            *seen = *set;
            writer.Submit(kadr::EncodeRecoveryCopy(*set, ++when));
        }
    }
    writer.Flush();
    state.counters["written"] = writer.Written();
}
BENCHMARK(BM_PollWithCopy)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
