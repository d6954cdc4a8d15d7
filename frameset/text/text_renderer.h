#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frameset/drawing/dot_cells.h"
#include "frameset/text/text_font.h"

namespace kadr::text {

// A text picture has the kDotRows dot rows of a frame, as the drawing tools see them: row 6 lies
// directly above row 7, as frame row 7 lies above frame row 9 with the mark row between them.
// A picture 14 rows high and `width` columns wide, column by column like a frame; 1 = ink.
struct TextPicture {
    int width = 0;
    std::vector<std::uint8_t> ink;

    bool Ink(int column, int row) const {
        return ink[static_cast<std::size_t>(column * kDotRows + row)] != 0;
    }
    void SetInk(int column, int row) { ink[static_cast<std::size_t>(column * kDotRows + row)] = 1; }
};

// Where a font lower than 14 dots sits: the upper module row, the lower one, or centred across
// both (a 7-dot font then takes picture rows 3..9).
enum class Placement { Top, Bottom, Middle };

struct TextLayout {
    Placement placement = Placement::Middle;
    int gap = 1;    // blank columns between characters, 0..3
    int lead = 0;   // blank columns before the first character
    int trail = 0;  // blank columns after the last one
};

inline constexpr int kMaxGap = 3;
// More blank columns than all 256 frames hold would only be refused later.
inline constexpr int kMaxMargin = 256 * 28;

struct RenderedText {
    TextPicture picture;
    int characters = 0;
    // Each character the font lacks, once, in the order met; they are drawn as a box.
    std::u32string missing;
    // For each character, the column just right of its glyph: the first n characters are the
    // columns before characterEnds[n - 1] (what a typewriter shows of them).
    std::vector<int> characterEnds;
};

// Draws `utf8` character by character, the same character always as the same columns. Margins
// and the gap are brought into their ranges rather than refused.
RenderedText RenderText(std::string_view utf8, const TextFont& font, const TextLayout& layout);

// The box drawn for a character the font lacks: outlined, as high as the font.
Glyph ReplacementBox(int height);

}  // namespace kadr::text
