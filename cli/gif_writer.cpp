#include "cli/gif_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "cli/gif_coding.h"
#include "cli/gif_timing.h"
#include "frameset/errors.h"

namespace kadr::cli {
namespace {

int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

// Pictures coded at a time before they are stored, so that little of the GIF is held at once.
constexpr std::size_t kPicturesPerRun = 256;

[[noreturn]] void Fail(int code) {
    const char* text = GifErrorString(code);
    throw Error(std::string("GIF encoder: ") + (text != nullptr ? text : "unknown error"));
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

void Check(GifFileType* gif, int result) {
    if (result == GIF_ERROR) {
        Fail(gif->Error);
    }
}

}  // namespace

void EncodeGif(const playback::Timeline& timeline, const playback::LedPainter& painter,
               const GifSink& write) {
    std::vector<std::uint8_t> bytes;
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&bytes, AppendBytes, &error));
    if (!gif) {
        Fail(error);
    }
    EGifSetGifVersion(gif.get(), true);  // GIF89a: delays and the loop extension

    const auto& palette = painter.Palette();
    int mapSize = 2;
    while (mapSize <= static_cast<int>(palette.size())) {  // one more for transparent pixels
        mapSize *= 2;
    }
    std::unique_ptr<ColorMapObject, MapFreer> map(GifMakeMapObject(mapSize, nullptr));
    if (!map) {
        throw Error("GIF encoder: out of memory");
    }
    for (int i = 0; i < mapSize; ++i) {
        const playback::Rgb rgb = i < static_cast<int>(palette.size())
                                      ? palette[static_cast<std::size_t>(i)]
                                      : playback::Rgb{};
        map->Colors[i] = GifColorType{rgb.r, rgb.g, rgb.b};
    }
    const int width = painter.Geometry().Width();
    const int height = painter.Geometry().Height();
    Check(gif.get(), EGifPutScreenDesc(gif.get(), width, height, 8,
                                       playback::LedPainter::kPanelIndex, map.get()));

    // The browsers' loop extension: a count of 0 repeats forever.
    static constexpr char kLoopApplication[] = "NETSCAPE2.0";
    static constexpr GifByteType kLoopForever[] = {1, 0, 0};
    Check(gif.get(), EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE));
    Check(gif.get(), EGifPutExtensionBlock(gif.get(), 11, kLoopApplication));
    Check(gif.get(), EGifPutExtensionBlock(gif.get(), 3, kLoopForever));
    Check(gif.get(), EGifPutExtensionTrailer(gif.get()));

    const int codeSize = std::max(2, map->BitsPerPixel);  // as giflib works it out
    const std::vector<GifFrameTiming> timings = GifTimings(timeline);
    PictureCoder coder(timeline, timings, painter, *map);
    for (std::size_t begin = 0; begin < timings.size(); begin += kPicturesPerRun) {
        const std::size_t end = std::min(timings.size(), begin + kPicturesPerRun);
        const std::vector<CodedPicture> coded = coder.Code(begin, end);
        for (std::size_t i = begin; i < end; ++i) {
            const CodedPicture& picture = coded[i - begin];
            GraphicsControlBlock control{};
            control.DisposalMode = DISPOSE_DO_NOT;  // the next picture is drawn over this one
            control.UserInputFlag = false;
            control.DelayTime = timings[i].delay;
            control.TransparentColor =
                picture.transparent ? coder.TransparentIndex() : NO_TRANSPARENT_COLOR;
            GifByteType extension[4];
            const std::size_t length = EGifGCBToExtension(&control, extension);
            Check(gif.get(), EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE,
                                              static_cast<int>(length), extension));
            Check(gif.get(), EGifPutImageDesc(gif.get(), picture.left, picture.top, picture.width,
                                              picture.height, false, nullptr));
            // giflib's own codes for the picture, made on PictureCoder's threads, stored as they
            // are up to the empty block that ends them (giflib writes that one itself).
            const std::vector<std::uint8_t>& blocks = picture.blocks;
            for (std::size_t at = 0; at < blocks.size() && blocks[at] != 0; at += blocks[at] + 1U) {
                Check(gif.get(), at == 0 ? EGifPutCode(gif.get(), codeSize, &blocks[at])
                                         : EGifPutCodeNext(gif.get(), &blocks[at]));
            }
            Check(gif.get(), EGifPutCodeNext(gif.get(), nullptr));
        }
        write(bytes);
        bytes.clear();
    }
    GifFileType* raw = gif.release();
    if (EGifCloseFile(raw, &error) == GIF_ERROR) {
        Fail(error);
    }
    write(bytes);
}

}  // namespace kadr::cli
