// Listing the serial ports as the port dialog does every second while it is open, and once more
// when its drop-down opens. Goal: under 100 ms.
#include <benchmark/benchmark.h>

#include "device/port_listing.h"

namespace {

void BM_ListSystemPorts(benchmark::State& state) {
    std::size_t ports = 0;
    for (auto _ : state) {
        ports = kadr::ListSystemPorts().size();
        benchmark::DoNotOptimize(ports);
    }
    state.counters["ports"] = static_cast<double>(ports);
}
BENCHMARK(BM_ListSystemPorts)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
