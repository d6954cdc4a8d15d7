#include "cli/gif_coding.h"

#include <exception>
#include <thread>

namespace kadr::cli {
namespace {

// Fewer pictures than this are not worth a thread.
constexpr std::size_t kSharedRun = 32;

}  // namespace

PictureCoder::PictureCoder(const playback::Timeline& timeline,
                           const std::vector<GifFrameTiming>& timings,
                           const playback::LedPainter& painter, int codeSize)
    : timeline_(timeline),
      timings_(timings),
      patches_(painter),
      lzw_{LzwEncoder(codeSize), LzwEncoder(codeSize)} {}

void PictureCoder::CodeRange(std::size_t begin, std::size_t end, LzwEncoder& lzw,
                             CodedPicture* out) const {
    for (std::size_t i = begin; i < end; ++i, ++out) {
        const playback::Picture& picture = timeline_.steps[timings_[i].firstStep].picture;
        GifPatch patch =
            i == 0 ? patches_.First(picture)
                   : patches_.Next(timeline_.steps[timings_[i - 1].firstStep].picture, picture);
        if (patch.width == 0) {
            // The same picture again (a long still split for the delay field): one pixel
            // that leaves everything as it was.
            patch.width = 1;
            patch.height = 1;
            patch.pixels.assign(1, patches_.TransparentIndex());
        }
        out->left = patch.left;
        out->top = patch.top;
        out->width = patch.width;
        out->height = patch.height;
        out->transparent = patch.transparent;
        const std::vector<std::uint8_t>& blocks =
            lzw.Encode(patch.pixels.data(), patch.pixels.size());
        out->blocks.assign(blocks.begin(), blocks.end());
    }
}

std::vector<CodedPicture> PictureCoder::Code(std::size_t begin, std::size_t end) {
    std::vector<CodedPicture> coded(end - begin);
    if (end - begin < kSharedRun) {
        CodeRange(begin, end, lzw_[0], coded.data());
        return coded;
    }
    const std::size_t middle = begin + (end - begin) / 2;
    std::exception_ptr failure;
    std::thread helper([&] {
        try {
            CodeRange(middle, end, lzw_[1], coded.data() + (middle - begin));
        } catch (...) {
            failure = std::current_exception();
        }
    });
    try {
        CodeRange(begin, middle, lzw_[0], coded.data());
    } catch (...) {
        helper.join();
        throw;
    }
    helper.join();
    if (failure) {
        std::rethrow_exception(failure);
    }
    return coded;
}

}  // namespace kadr::cli
