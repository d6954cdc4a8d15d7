#include "cli/gif_patches.h"

#include <algorithm>
#include <stdexcept>

namespace kadr::cli {

using playback::kDisplayColumns;
using playback::Picture;

GifPatches::GifPatches(const playback::LedPainter& painter) : painter_(painter) {
    if (painter.Palette().size() >= 256) {
        throw std::logic_error("no palette index left for transparent pixels");
    }
    transparent_ = static_cast<std::uint8_t>(painter.Palette().size());
    Picture allLit;
    for (auto& column : allLit.columns) {
        column = static_cast<std::uint16_t>((1U << kDotRows) - 1);
    }
    const playback::IndexedImage lit = painter.Paint(allLit);
    const playback::IndexedImage unlit = painter.Paint(Picture{});
    const playback::PanelGeometry& g = painter.Geometry();
    const int n = g.ledSize;
    rows_[0].assign(static_cast<std::size_t>(n * n), transparent_);
    rows_[1].assign(static_cast<std::size_t>(n * n), transparent_);
    inkLeft_ = n;
    inkTop_ = n;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const std::uint8_t off = unlit.At(g.CellX(0) + x, g.CellY(0) + y);
            const std::uint8_t on = lit.At(g.CellX(0) + x, g.CellY(0) + y);
            if (off == on) {
                continue;
            }
            rows_[0][static_cast<std::size_t>(y * n + x)] = off;
            rows_[1][static_cast<std::size_t>(y * n + x)] = on;
            inkLeft_ = std::min(inkLeft_, x);
            inkRight_ = std::max(inkRight_, x + 1);
            inkTop_ = std::min(inkTop_, y);
            inkBottom_ = std::max(inkBottom_, y + 1);
        }
    }
}

GifPatch GifPatches::First(const Picture& picture) const {
    playback::IndexedImage image = painter_.Paint(picture);
    GifPatch patch;
    patch.width = image.width;
    patch.height = image.height;
    patch.pixels = std::move(image.pixels);
    return patch;
}

GifPatch GifPatches::Next(const Picture& before, const Picture& after) const {
    int firstColumn = kDisplayColumns;
    int lastColumn = -1;
    unsigned rows = 0;
    for (int c = 0; c < kDisplayColumns; ++c) {
        const unsigned changed = before.columns[static_cast<std::size_t>(c)] ^
                                 after.columns[static_cast<std::size_t>(c)];
        if (changed != 0) {
            firstColumn = std::min(firstColumn, c);
            lastColumn = c;
            rows |= changed;
        }
    }
    GifPatch patch;
    patch.transparent = true;
    if (lastColumn < 0 || inkRight_ <= inkLeft_) {
        return patch;
    }
    int firstRow = 0;
    while ((rows & (1U << firstRow)) == 0) {
        ++firstRow;
    }
    int lastRow = kDotRows - 1;
    while ((rows & (1U << lastRow)) == 0) {
        --lastRow;
    }
    const playback::PanelGeometry& g = painter_.Geometry();
    const int n = g.ledSize;
    patch.left = g.CellX(firstColumn) + inkLeft_;
    patch.top = g.CellY(firstRow) + inkTop_;
    patch.width = g.CellX(lastColumn) + inkRight_ - patch.left;
    patch.height = g.CellY(lastRow) + inkBottom_ - patch.top;
    patch.pixels.assign(static_cast<std::size_t>(patch.width * patch.height), transparent_);
    const int inkWidth = inkRight_ - inkLeft_;
    for (int c = firstColumn; c <= lastColumn; ++c) {
        const unsigned changed = before.columns[static_cast<std::size_t>(c)] ^
                                 after.columns[static_cast<std::size_t>(c)];
        for (int r = firstRow; r <= lastRow; ++r) {
            if ((changed & (1U << r)) == 0) {
                continue;
            }
            const std::vector<std::uint8_t>& led = rows_[after.Lit(c, r) ? 1 : 0];
            const int x = g.CellX(c) + inkLeft_ - patch.left;
            for (int y = inkTop_; y < inkBottom_; ++y) {
                std::copy_n(&led[static_cast<std::size_t>(y * n + inkLeft_)], inkWidth,
                            &patch.pixels[static_cast<std::size_t>(
                                (g.CellY(r) + y - patch.top) * patch.width + x)]);
            }
        }
    }
    return patch;
}

}  // namespace kadr::cli
