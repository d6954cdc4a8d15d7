#include "frameset/playback/led_image.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace kadr::playback {
namespace {

Rgb Blend(Rgb from, Rgb to, double share) {
    const auto mix = [share](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a + (b - a) * share));
    };
    return Rgb{mix(from.r, to.r), mix(from.g, to.g), mix(from.b, to.b)};
}

// Caption digits, three pixels wide and five high, drawn for this program: bit 2 of a row is
// its left pixel.
constexpr std::array<std::array<std::uint8_t, 5>, 10> kDigits{{
    {7, 5, 5, 5, 7},  // 0
    {2, 6, 2, 2, 7},  // 1
    {7, 1, 7, 4, 7},  // 2
    {7, 1, 3, 1, 7},  // 3
    {5, 5, 7, 1, 1},  // 4
    {7, 4, 7, 1, 7},  // 5
    {7, 4, 7, 5, 7},  // 6
    {7, 1, 1, 2, 2},  // 7
    {7, 5, 7, 5, 7},  // 8
    {7, 5, 7, 1, 7},  // 9
}};

constexpr int kSheetColumns = 8;

}  // namespace

const char* LedColourName(LedColour colour) {
    switch (colour) {
        case LedColour::Red:
            return "red";
        case LedColour::Green:
            return "green";
        case LedColour::Amber:
            return "amber";
        case LedColour::White:
            return "white";
        case LedColour::Blue:
            return "blue";
    }
    return "red";
}

const char* LedColourCaption(LedColour colour) {
    switch (colour) {
        case LedColour::Red:
            return "Красный";
        case LedColour::Green:
            return "Зелёный";
        case LedColour::Amber:
            return "Янтарный";
        case LedColour::White:
            return "Белый";
        case LedColour::Blue:
            return "Синий";
    }
    return "Красный";
}

std::optional<LedColour> ParseLedColour(std::string_view name) {
    for (const LedColour colour : kLedColours) {
        if (name == LedColourName(colour)) {
            return colour;
        }
    }
    return std::nullopt;
}

Rgb LitRgb(LedColour colour) {
    switch (colour) {
        case LedColour::Red:
            return {255, 40, 24};
        case LedColour::Green:
            return {40, 240, 64};
        case LedColour::Amber:
            return {255, 176, 0};
        case LedColour::White:
            return {244, 244, 236};
        case LedColour::Blue:
            return {48, 120, 255};
    }
    return {255, 40, 24};
}

Rgb UnlitRgb(LedColour colour) {
    // A dark diode still shows its lens: a faint trace of its colour on the panel.
    return Blend(PanelRgb(), LitRgb(colour), 0.16);
}

Rgb PanelRgb() {
    return {18, 18, 20};
}

LedPainter::LedPainter(LedColour colour, int ledSize) : geometry_{std::max(1, ledSize)} {
    const Rgb panel = PanelRgb();
    palette_.push_back(panel);
    for (int s = 1; s <= kShades; ++s) {
        palette_.push_back(Blend(panel, UnlitRgb(colour), static_cast<double>(s) / kShades));
    }
    for (int s = 1; s <= kShades; ++s) {
        palette_.push_back(Blend(panel, LitRgb(colour), static_cast<double>(s) / kShades));
    }
    palette_.push_back(Rgb{200, 200, 200});  // captions

    // Coverage by 4 x 4 samples per pixel; the centre pixels are covered in full.
    const int n = geometry_.ledSize;
    const double centre = n / 2.0;
    const double radius = geometry_.Diameter() / 2.0;
    dotShades_.assign(static_cast<std::size_t>(n * n), 0);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    const double dx = x + (sx + 0.5) / 4 - centre;
                    const double dy = y + (sy + 0.5) / 4 - centre;
                    inside += dx * dx + dy * dy <= radius * radius ? 1 : 0;
                }
            }
            int shade = static_cast<int>(std::lround(inside * kShades / 16.0));
            if (n == 1) {
                shade = kShades;  // one pixel per LED: the pixel is the LED
            }
            dotShades_[static_cast<std::size_t>(y * n + x)] = static_cast<std::uint8_t>(shade);
        }
    }
}

IndexedImage LedPainter::Paint(const Picture& picture) const {
    IndexedImage image;
    image.width = geometry_.Width();
    image.height = geometry_.Height();
    image.pixels.assign(static_cast<std::size_t>(image.width * image.height), kPanelIndex);
    image.palette = palette_;
    PaintAt(picture, image, 0, 0);
    return image;
}

void LedPainter::PaintAt(const Picture& picture, IndexedImage& image, int x0, int y0) const {
    const int n = geometry_.ledSize;
    for (int c = 0; c < kDisplayColumns; ++c) {
        for (int r = 0; r < kDotRows; ++r) {
            const int base = picture.Lit(c, r) ? kShades : 0;
            const int left = x0 + geometry_.CellX(c);
            const int top = y0 + geometry_.CellY(r);
            for (int y = 0; y < n; ++y) {
                std::uint8_t* row = &image.pixels[static_cast<std::size_t>(top + y) *
                                                      static_cast<std::size_t>(image.width) +
                                                  static_cast<std::size_t>(left)];
                for (int x = 0; x < n; ++x) {
                    const std::uint8_t shade = dotShades_[static_cast<std::size_t>(y * n + x)];
                    row[x] = shade == 0 ? kPanelIndex : static_cast<std::uint8_t>(base + shade);
                }
            }
        }
    }
}

IndexedImage LedPainter::Sheet(const std::vector<Picture>& pictures, int firstNumber) const {
    const int unit = std::max(1, geometry_.ledSize / 4);  // one pixel of a caption digit
    const int band = 7 * unit;                            // caption height with its margins
    const int cellW = geometry_.Width();
    const int cellH = geometry_.Height() + band;
    const int count = static_cast<int>(pictures.size());
    const int columns = std::min(kSheetColumns, std::max(1, count));
    const int rows = (count + kSheetColumns - 1) / kSheetColumns;

    IndexedImage image;
    image.width = columns * cellW;
    image.height = std::max(1, rows) * cellH;
    image.pixels.assign(static_cast<std::size_t>(image.width * image.height), kPanelIndex);
    image.palette = palette_;
    for (int i = 0; i < count; ++i) {
        const int x0 = (i % kSheetColumns) * cellW;
        const int y0 = (i / kSheetColumns) * cellH;
        PaintAt(pictures[static_cast<std::size_t>(i)], image, x0, y0);
        const std::string number = std::to_string(firstNumber + i);
        const int textW = static_cast<int>(number.size()) * 4 * unit - unit;
        int x = x0 + (cellW - textW) / 2;
        const int y = y0 + geometry_.Height() + unit;
        for (const char digit : number) {
            const auto& glyph = kDigits[static_cast<std::size_t>(digit - '0')];
            for (int gy = 0; gy < 5; ++gy) {
                for (int gx = 0; gx < 3; ++gx) {
                    if (((glyph[static_cast<std::size_t>(gy)] >> (2 - gx)) & 1) == 0) {
                        continue;
                    }
                    for (int py = 0; py < unit; ++py) {
                        for (int px = 0; px < unit; ++px) {
                            image.pixels[static_cast<std::size_t>(y + gy * unit + py) *
                                             static_cast<std::size_t>(image.width) +
                                         static_cast<std::size_t>(x + gx * unit + px)] =
                                kCaptionIndex;
                        }
                    }
                }
            }
            x += 4 * unit;
        }
    }
    return image;
}

}  // namespace kadr::playback
