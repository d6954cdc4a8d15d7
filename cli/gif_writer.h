#pragma once

#include <cstdint>
#include <vector>

#include "frameset/playback/led_image.h"
#include "frameset/playback/timeline.h"

namespace kadr::cli {

// GIF counts time in hundredths of a second, and viewers play anything shorter than two of them
// at their own pace; so a step's time is rounded to the nearest hundredth, at least 2.
int GifDelay(double durationMs);

// One pass of the timeline as an animated GIF that loops forever: one GIF frame per step, each
// as long as its step. Throws kadr::Error when the encoder fails; the timeline must have steps.
std::vector<std::uint8_t> EncodeGif(const playback::Timeline& timeline,
                                    const playback::LedPainter& painter);

}  // namespace kadr::cli
