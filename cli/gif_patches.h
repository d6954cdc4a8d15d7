#pragma once

#include <cstdint>
#include <vector>

#include "frameset/playback/led_image.h"

namespace kadr::cli {

// A rectangle of the panel as one GIF picture stores it, drawn over what the previous pictures
// left: where a pixel holds `transparentIndex` the earlier picture shows through.
struct GifPatch {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // row by row
    bool transparent = false;          // whether transparentIndex marks pixels left as they were
};

// The GIF pictures of a sequence of display pictures: the first as the whole panel, every later
// one as the smallest rectangle whose pixels changed, with the unchanged pixels in it
// transparent, so that long runs of one index are all the compressor sees of them.
class GifPatches {
  public:
    explicit GifPatches(const playback::LedPainter& painter);

    // An index the palette does not use, for pixels left as they were.
    std::uint8_t TransparentIndex() const { return transparent_; }

    // The whole panel showing `picture`.
    GifPatch First(const playback::Picture& picture) const;
    // What turns the panel showing `before` into the panel showing `after`; an empty rectangle
    // (width 0) when they show the same.
    GifPatch Next(const playback::Picture& before, const playback::Picture& after) const;

  private:
    const playback::LedPainter& painter_;
    std::uint8_t transparent_;
    // For an unlit and a lit LED, each row of its square as palette indices, the pixels the
    // two states share (the panel around the round LED) as transparent.
    std::vector<std::uint8_t> rows_[2];
    // The part of an LED's square where lit and unlit differ.
    int inkLeft_ = 0;
    int inkRight_ = 0;  // one past
    int inkTop_ = 0;
    int inkBottom_ = 0;
};

}  // namespace kadr::cli
