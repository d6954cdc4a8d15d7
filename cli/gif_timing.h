#pragma once

#include <cstddef>
#include <vector>

#include "frameset/playback/timeline.h"

namespace kadr::cli {

// GIF counts time in hundredths of a second, and viewers play anything shorter than two of them
// at their own pace; its delay field holds at most 65535.
inline constexpr int kMinGifDelay = 2;
inline constexpr int kMaxGifDelay = 65535;

// One picture of the GIF: the run of steps it stands for and how long it shows.
struct GifFrameTiming {
    std::size_t firstStep = 0;
    std::size_t steps = 1;
    int delay = kMinGifDelay;  // hundredths of a second
};

// The GIF's pictures for one pass of the timeline. Neighbouring steps that show the same picture
// become one GIF picture with their times added. Each delay is what brings the GIF's clock to the
// model's, rounded to the nearest hundredth, at the end of its steps, so rounding errors never
// add up; a delay is never below kMinGifDelay (the time it takes more is taken off the next ones).
std::vector<GifFrameTiming> GifTimings(const playback::Timeline& timeline);

}  // namespace kadr::cli
