// The port listing's time where Google Benchmark is not built (the Windows programs under wine):
// RUNS listings, the median and the slowest printed in milliseconds. Goal: under 100 ms.
// usage: port_listing_timing [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "device/port_listing.h"

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    std::vector<double> times;
    std::size_t ports = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        ports = kadr::ListSystemPorts().size();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    std::printf("ListSystemPorts: %zu ports, median %.2f ms, slowest %.2f ms over %d runs\n", ports,
                times[times.size() / 2], times.back(), runs);
    return 0;
}
