#pragma once

#include <map>
#include <string>
#include <vector>

#include "frameset/text/text_font.h"

namespace kadr::text {

// The font drawn for this display: 7 dots high, proportional. Its glyphs are kept as rows of '#'
// and '.' in builtin_font_glyphs.inc, grouped by alphabet.
class BuiltinFont : public TextFont {
  public:
    // `scale` 2 doubles every dot: the same letters over the display's full 14 rows.
    explicit BuiltinFont(int scale = 1);

    int Height() const override { return 7 * scale_; }
    std::optional<Glyph> GlyphFor(char32_t character) const override;

    // The groups of characters whose glyphs must all differ from each other: each alphabet
    // together with the digits, signs and space that go with either.
    struct Group {
        std::string name;
        std::u32string characters;
    };
    static const std::vector<Group>& Groups();
    // Every character with a glyph of its own, in the order drawn.
    static const std::u32string& Characters();

  private:
    int scale_;
};

// Typographic variants drawn with another character's glyph (curly quotes, a no-break space);
// the character itself when it has none.
char32_t CanonicalCharacter(char32_t character);

}  // namespace kadr::text
