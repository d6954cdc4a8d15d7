#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kadr::text {

// One character's dots: `height` rows of `width` columns, row by row, 1 = ink.
struct Glyph {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> ink;

    bool Ink(int column, int row) const {
        return ink[static_cast<std::size_t>(row * width + column)] != 0;
    }
    bool operator==(const Glyph&) const = default;
};

// A source of glyphs of one height. The built-in font lives here; a desktop font is drawn by the
// editor's side behind the same interface, so the renderer never needs a window system.
class TextFont {
  public:
    virtual ~TextFont() = default;
    // Rows of every glyph, 1..14.
    virtual int Height() const = 0;
    // Nothing when the font has no glyph for the character.
    virtual std::optional<Glyph> GlyphFor(char32_t character) const = 0;
};

}  // namespace kadr::text
