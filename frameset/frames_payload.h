#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "frameset/frame_set.h"

namespace kadr {

// The clipboard block of several frames (format kFramesClipboardFormatName):
//   byte 0      version, 1
//   byte 1      0
//   bytes 2..3  frame count N, 1..256, little-endian
//   then N frames of 448 bytes in the frame layout, each cell 0 (set) or 1 (blank).
// Bytes after the last frame, fewer than a frame's worth, are ignored: a desktop clipboard may
// hand back a block rounded up in size.
inline constexpr std::uint8_t kFramesPayloadVersion = 1;
inline constexpr int kFramesPayloadHeader = 4;

std::vector<std::uint8_t> EncodeFramesPayload(const std::vector<Frame>& frames);

// The frames of a block, or Error with what is wrong with it and what to do: no header, another
// version, a count outside 1..256, a size that does not hold that count, a cell other than 0 or 1.
// Another program can put anything under the format's name, so nothing of it is trusted.
std::vector<Frame> DecodeFramesPayload(std::span<const std::uint8_t> block);

}  // namespace kadr
