#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "cli/gif_patches.h"
#include "cli/gif_timing.h"
#include "frameset/playback/timeline.h"

struct ColorMapObject;
struct GifFileType;

namespace kadr::cli {

// One GIF picture ready to be stored: where it goes and the code sub-blocks giflib made of it,
// up to and with the empty block that ends them.
struct CodedPicture {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool transparent = false;
    std::vector<std::uint8_t> blocks;
};

// giflib's compressor writing into memory: a GIF of its own, never finished, whose pictures'
// code sub-blocks are taken as giflib makes them. The final file stores them through
// EGifPutCode, so that its codes are giflib's while two of these compress at once.
class MemoryCompressor {
  public:
    // `map` gives the bits per pixel, as the final file's colour table does.
    MemoryCompressor(int width, int height, const ColorMapObject& map);
    ~MemoryCompressor();
    MemoryCompressor(const MemoryCompressor&) = delete;
    MemoryCompressor& operator=(const MemoryCompressor&) = delete;

    // Compresses the patch's pixels (giflib masks them in place) into `out`.
    void Compress(GifPatch& patch, CodedPicture& out);

  private:
    static int Append(GifFileType* gif, const std::uint8_t* data, int length);

    GifFileType* gif_ = nullptr;
    std::vector<std::uint8_t>* out_ = nullptr;  // where giflib's bytes go now
    std::vector<std::uint8_t> discard_;         // the header and descriptors, not wanted
};

// Codes the GIF pictures of a timeline: each what changed since the picture before it,
// compressed by giflib. Pictures are independent of each other once their patches are made, so
// a run of them is compressed on two threads.
class PictureCoder {
  public:
    PictureCoder(const playback::Timeline& timeline, const std::vector<GifFrameTiming>& timings,
                 const playback::LedPainter& painter, const ColorMapObject& map);

    std::uint8_t TransparentIndex() const { return patches_.TransparentIndex(); }

    // Pictures begin .. end - 1 of the timings.
    std::vector<CodedPicture> Code(std::size_t begin, std::size_t end);

  private:
    // Pictures begin, begin + stride, .. before end; picture i goes to out[i - begin].
    void CodeRange(std::size_t begin, std::size_t end, std::size_t stride,
                   MemoryCompressor& compressor, CodedPicture* out) const;

    const playback::Timeline& timeline_;
    const std::vector<GifFrameTiming>& timings_;
    GifPatches patches_;
    std::unique_ptr<MemoryCompressor> compressors_[2];
};

}  // namespace kadr::cli
