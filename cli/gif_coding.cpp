#include "cli/gif_coding.h"

#include <gif_lib.h>

#include <exception>
#include <string>
#include <thread>

#include "frameset/errors.h"

namespace kadr::cli {
namespace {

// Fewer pictures than this are not worth a thread.
constexpr std::size_t kSharedRun = 32;

[[noreturn]] void Fail(int code) {
    const char* text = GifErrorString(code);
    throw Error(std::string("GIF encoder: ") + (text != nullptr ? text : "unknown error"));
}

}  // namespace

MemoryCompressor::MemoryCompressor(int width, int height, const ColorMapObject& map)
    : out_(&discard_) {
    int error = 0;
    gif_ = EGifOpen(this, Append, &error);
    if (gif_ == nullptr) {
        Fail(error);
    }
    if (EGifPutScreenDesc(gif_, width, height, 8, 0, &map) == GIF_ERROR) {
        const int code = gif_->Error;
        EGifCloseFile(gif_, &error);
        Fail(code);
    }
}

MemoryCompressor::~MemoryCompressor() {
    int error = 0;
    out_ = &discard_;
    EGifCloseFile(gif_, &error);
}

int MemoryCompressor::Append(GifFileType* gif, const std::uint8_t* data, int length) {
    auto* self = static_cast<MemoryCompressor*>(gif->UserData);
    self->out_->insert(self->out_->end(), data, data + length);
    return length;
}

void MemoryCompressor::Compress(GifPatch& patch, CodedPicture& out) {
    // The descriptor and the code size byte go to the final file from its own EGifPutImageDesc.
    out_ = &discard_;
    if (EGifPutImageDesc(gif_, patch.left, patch.top, patch.width, patch.height, false, nullptr) ==
        GIF_ERROR) {
        Fail(gif_->Error);
    }
    discard_.clear();
    out.blocks.clear();
    out_ = &out.blocks;
    const int result =
        EGifPutLine(gif_, patch.pixels.data(), static_cast<int>(patch.pixels.size()));
    out_ = &discard_;
    if (result == GIF_ERROR) {
        Fail(gif_->Error);
    }
}

PictureCoder::PictureCoder(const playback::Timeline& timeline,
                           const std::vector<GifFrameTiming>& timings,
                           const playback::LedPainter& painter, const ColorMapObject& map)
    : timeline_(timeline), timings_(timings), patches_(painter) {
    const int width = painter.Geometry().Width();
    const int height = painter.Geometry().Height();
    for (auto& compressor : compressors_) {
        compressor = std::make_unique<MemoryCompressor>(width, height, map);
    }
}

void PictureCoder::CodeRange(std::size_t begin, std::size_t end, std::size_t stride,
                             MemoryCompressor& compressor, CodedPicture* out) const {
    for (std::size_t i = begin; i < end; i += stride) {
        CodedPicture& coded = out[i - begin];
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
        coded.left = patch.left;
        coded.top = patch.top;
        coded.width = patch.width;
        coded.height = patch.height;
        coded.transparent = patch.transparent;
        compressor.Compress(patch, coded);
    }
}

std::vector<CodedPicture> PictureCoder::Code(std::size_t begin, std::size_t end) {
    std::vector<CodedPicture> coded(end - begin);
    if (end - begin < kSharedRun) {
        CodeRange(begin, end, 1, *compressors_[0], coded.data());
        return coded;
    }
    // Every other picture to each thread: neighbouring pictures cost about the same, so the
    // threads finish together however the cost changes along the line.
    std::exception_ptr failure;
    std::thread helper([&] {
        try {
            CodeRange(begin + 1, end, 2, *compressors_[1], coded.data() + 1);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    try {
        CodeRange(begin, end, 2, *compressors_[0], coded.data());
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
