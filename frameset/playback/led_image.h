#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "frameset/playback/timeline.h"

namespace kadr::playback {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

enum class LedColour { Red, Green, Amber, White, Blue };
inline constexpr std::array<LedColour, 5> kLedColours{
    LedColour::Red, LedColour::Green, LedColour::Amber, LedColour::White, LedColour::Blue};

const char* LedColourName(LedColour colour);     // "red", "green", "amber", "white", "blue"
const char* LedColourCaption(LedColour colour);  // "Красный", ...
std::optional<LedColour> ParseLedColour(std::string_view name);

// A lit LED, an unlit one (the same diode, dark) and the panel they sit in.
Rgb LitRgb(LedColour colour);
Rgb UnlitRgb(LedColour colour);
Rgb PanelRgb();

// Where the LEDs of the display lie for an LED size in pixels: one LED pitch of dark panel
// around them and one between the two module rows, where the lower modules' mark row sits.
struct PanelGeometry {
    int ledSize = 8;

    int Width() const { return (kDisplayColumns + 2) * ledSize; }
    int Height() const { return (kDotRows + 3) * ledSize; }
    // Top left pixel of the square an LED occupies.
    int CellX(int column) const { return (column + 1) * ledSize; }
    int CellY(int row) const { return (row + 1 + (row >= kDotRows / 2 ? 1 : 0)) * ledSize; }
    double Diameter() const { return ledSize * 0.8; }
};

// A picture with a palette, as GIF wants it and PNG takes it.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // row by row
    std::vector<Rgb> palette;

    std::uint8_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    Rgb ColourAt(int x, int y) const { return palette[At(x, y)]; }
};

// Draws the display's pictures with round, smoothed LEDs into indexed images that all share one
// palette: the panel, the edge shades of unlit and lit LEDs, and a caption colour.
class LedPainter {
  public:
    static constexpr int kShades = 8;
    static constexpr std::uint8_t kPanelIndex = 0;
    static constexpr std::uint8_t kCaptionIndex = 2 * kShades + 1;

    LedPainter(LedColour colour, int ledSize);

    const PanelGeometry& Geometry() const { return geometry_; }
    const std::vector<Rgb>& Palette() const { return palette_; }

    // One picture as its own image.
    IndexedImage Paint(const Picture& picture) const;
    // Into `image` with the panel's top left corner at (x, y).
    void PaintAt(const Picture& picture, IndexedImage& image, int x, int y) const;
    // Every picture, eight to a row, each numbered under it from `firstNumber`.
    IndexedImage Sheet(const std::vector<Picture>& pictures, int firstNumber = 1) const;

  private:
    PanelGeometry geometry_;
    std::vector<Rgb> palette_;
    // How much of each pixel of an LED's square the round LED covers, as a shade 0..kShades.
    std::vector<std::uint8_t> dotShades_;
};

}  // namespace kadr::playback
