#include "cli/gif_timing.h"

#include <algorithm>
#include <cmath>

namespace kadr::cli {
namespace {

// Merged steps stay well inside one delay field.
constexpr double kLongestMergeMs = 600000.0;

}  // namespace

std::vector<GifFrameTiming> GifTimings(const playback::Timeline& timeline) {
    const std::vector<playback::Step>& steps = timeline.steps;
    const std::vector<double>& startMs = timeline.startMs;
    std::vector<GifFrameTiming> timings;
    long long shown = 0;  // hundredths given out so far
    std::size_t first = 0;
    while (first < steps.size()) {
        std::size_t end = first + 1;
        while (end < steps.size() && steps[end].picture == steps[first].picture &&
               startMs[end + 1] - startMs[first] <= kLongestMergeMs) {
            ++end;
        }
        const long long due = std::llround(startMs[end] / 10.0);
        const long long delay = std::clamp<long long>(due - shown, kMinGifDelay, kMaxGifDelay);
        shown += delay;
        timings.push_back(GifFrameTiming{first, end - first, static_cast<int>(delay)});
        first = end;
    }
    return timings;
}

}  // namespace kadr::cli
