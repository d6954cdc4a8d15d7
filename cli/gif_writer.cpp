#include "cli/gif_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "cli/gif_patches.h"
#include "cli/gif_timing.h"
#include "frameset/errors.h"

namespace kadr::cli {
namespace {

int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

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

std::vector<std::uint8_t> EncodeGif(const playback::Timeline& timeline,
                                    const playback::LedPainter& painter) {
    std::vector<std::uint8_t> bytes;
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&bytes, AppendBytes, &error));
    if (!gif) {
        Fail(error);
    }
    EGifSetGifVersion(gif.get(), true);  // GIF89a: delays and the loop extension

    const GifPatches patches(painter);
    const auto& palette = painter.Palette();
    int mapSize = 2;
    while (mapSize <= static_cast<int>(patches.TransparentIndex())) {
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

    const playback::Picture* shown = nullptr;
    for (const GifFrameTiming& timing : GifTimings(timeline)) {
        const playback::Picture& picture = timeline.steps[timing.firstStep].picture;
        GifPatch patch = shown == nullptr ? patches.First(picture) : patches.Next(*shown, picture);
        if (patch.width == 0) {
            // The same picture again (a long still split for the delay field): one pixel
            // that leaves everything as it was.
            patch.width = 1;
            patch.height = 1;
            patch.pixels.assign(1, patches.TransparentIndex());
        }
        shown = &picture;
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;  // the next picture is drawn over this one
        control.UserInputFlag = false;
        control.DelayTime = timing.delay;
        control.TransparentColor =
            patch.transparent ? patches.TransparentIndex() : NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        Check(gif.get(), EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE,
                                          static_cast<int>(length), extension));
        Check(gif.get(), EGifPutImageDesc(gif.get(), patch.left, patch.top, patch.width,
                                          patch.height, false, nullptr));
        Check(gif.get(), EGifPutLine(gif.get(), patch.pixels.data(), patch.width * patch.height));
    }
    GifFileType* raw = gif.release();
    if (EGifCloseFile(raw, &error) == GIF_ERROR) {
        Fail(error);
    }
    return bytes;
}

}  // namespace kadr::cli
