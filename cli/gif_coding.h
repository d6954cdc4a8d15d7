#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cli/gif_lzw.h"
#include "cli/gif_patches.h"
#include "cli/gif_timing.h"
#include "frameset/playback/timeline.h"

namespace kadr::cli {

// One GIF picture ready to be stored: where it goes and its LZW code sub-blocks.
struct CodedPicture {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool transparent = false;
    std::vector<std::uint8_t> blocks;
};

// Codes the GIF pictures of a timeline: each what changed since the picture before it, coded
// by LZW. Pictures are independent of each other once their patches are made, so a run of them
// is coded on two threads.
class PictureCoder {
  public:
    PictureCoder(const playback::Timeline& timeline, const std::vector<GifFrameTiming>& timings,
                 const playback::LedPainter& painter, int codeSize);

    std::uint8_t TransparentIndex() const { return patches_.TransparentIndex(); }

    // Pictures begin .. end - 1 of the timings.
    std::vector<CodedPicture> Code(std::size_t begin, std::size_t end);

  private:
    void CodeRange(std::size_t begin, std::size_t end, LzwEncoder& lzw, CodedPicture* out) const;

    const playback::Timeline& timeline_;
    const std::vector<GifFrameTiming>& timings_;
    GifPatches patches_;
    LzwEncoder lzw_[2];
};

}  // namespace kadr::cli
