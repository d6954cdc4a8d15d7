#pragma once

#include <cstdint>
#include <vector>

#include "frameset/playback/led_image.h"

namespace kadr::cli {

// The picture as PNG bytes, through Qt's image classes (no window system needed).
std::vector<std::uint8_t> EncodePng(const playback::IndexedImage& image);

}  // namespace kadr::cli
