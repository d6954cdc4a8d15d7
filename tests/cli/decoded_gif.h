#pragma once

#include <gif_lib.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "frameset/playback/led_image.h"

namespace kadr::testing {

// A GIF as giflib's decoder reads it back, with every picture laid over the ones before it as a
// viewer shows them.
struct DecodedGif {
    struct Closer {
        void operator()(GifFileType* gif) const {
            int error = 0;
            DGifCloseFile(gif, &error);
        }
    };
    std::unique_ptr<GifFileType, Closer> gif;

    explicit DecodedGif(const std::string& path) {
        int error = 0;
        gif.reset(DGifOpenFileName(path.c_str(), &error));
        if (gif && DGifSlurp(gif.get()) != GIF_OK) {
            gif.reset();
        }
    }
    int Frames() const { return gif->ImageCount; }
    GraphicsControlBlock Control(int frame) const {
        GraphicsControlBlock control{};
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(gif.get(), frame, &control);
        return control;
    }
    int Delay(int frame) const { return Control(frame).DelayTime; }
    // The loop count of the NETSCAPE2.0 extension, or -1 when there is none.
    int LoopCount() const {
        const SavedImage& first = gif->SavedImages[0];
        for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
            const ExtensionBlock& block = first.ExtensionBlocks[i];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
                const ExtensionBlock& data = first.ExtensionBlocks[i + 1];
                return data.ByteCount == 3 && data.Bytes[0] == 1
                           ? data.Bytes[1] | (data.Bytes[2] << 8)
                           : -1;
            }
        }
        return -1;
    }

    // The screen as shown after each picture, as colours, row by row, passed to
    // look(picture, screen): each picture drawn over the last except where it is transparent
    // (every picture keeps what it drew).
    template <typename Look>
    void ForEachScreen(Look look) const {
        const int width = gif->SWidth;
        std::vector<playback::Rgb> screen(static_cast<std::size_t>(width * gif->SHeight));
        for (int f = 0; f < gif->ImageCount; ++f) {
            const SavedImage& image = gif->SavedImages[f];
            const GifImageDesc& d = image.ImageDesc;
            const ColorMapObject* map = d.ColorMap != nullptr ? d.ColorMap : gif->SColorMap;
            const int transparent = Control(f).TransparentColor;
            for (int y = 0; y < d.Height; ++y) {
                for (int x = 0; x < d.Width; ++x) {
                    const int index = image.RasterBits[y * d.Width + x];
                    if (index == transparent) {
                        continue;
                    }
                    const GifColorType c = map->Colors[index];
                    screen[static_cast<std::size_t>((d.Top + y) * width + d.Left + x)] =
                        playback::Rgb{c.Red, c.Green, c.Blue};
                }
            }
            look(f, static_cast<const std::vector<playback::Rgb>&>(screen));
        }
    }
};

// A display picture as the painter's colours, row by row: what a screen must equal.
inline std::vector<playback::Rgb> Colours(const playback::LedPainter& painter,
                                          const playback::Picture& picture) {
    const playback::IndexedImage image = painter.Paint(picture);
    std::vector<playback::Rgb> colours;
    colours.reserve(image.pixels.size());
    for (const std::uint8_t index : image.pixels) {
        colours.push_back(image.palette[index]);
    }
    return colours;
}

}  // namespace kadr::testing
