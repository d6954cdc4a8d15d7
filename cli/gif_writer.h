#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "frameset/playback/led_image.h"
#include "frameset/playback/timeline.h"

namespace kadr::cli {

// One pass of the timeline as an animated GIF that loops forever: a GIF picture for every step
// (steps in a row that show the same picture share one), timed as GifTimings says, each after the
// first holding only the pixels that changed. Throws kadr::Error when the encoder fails; the
// timeline must have steps.
// The GIF goes to `write` in pieces as it is made.
using GifSink = std::function<void(std::span<const std::uint8_t>)>;
void EncodeGif(const playback::Timeline& timeline, const playback::LedPainter& painter,
               const GifSink& write);

}  // namespace kadr::cli
