#include "frameset/text/builtin_font.h"

#include <stdexcept>
#include <string_view>

#include "frameset/text/utf8.h"

namespace kadr::text {
namespace {

#include "frameset/text/builtin_font_glyphs.inc"

constexpr int kRows = 7;

struct Drawn {
    std::map<char32_t, Glyph> glyphs;
    std::vector<BuiltinFont::Group> groups;
    std::u32string characters;
};

// A drawing that breaks the rules is a fault of the program, found by the tests.
[[noreturn]] void Malformed(std::string_view what, std::u32string_view character) {
    throw std::logic_error("built-in font: " + std::string(what) + " at '" + EncodeUtf8(character) +
                           "'");
}

void AddGlyph(Drawn& drawn, char32_t character, const std::vector<std::string_view>& rows) {
    const std::u32string name(1, character);
    if (rows.size() != kRows) {
        Malformed("not 7 rows", name);
    }
    Glyph glyph;
    glyph.height = kRows;
    glyph.width = static_cast<int>(rows.front().size());
    for (std::string_view row : rows) {
        if (static_cast<int>(row.size()) != glyph.width) {
            Malformed("rows of unequal width", name);
        }
        for (char dot : row) {
            if (dot != '#' && dot != '.') {
                Malformed("a dot neither '#' nor '.'", name);
            }
            glyph.ink.push_back(dot == '#' ? 1 : 0);
        }
    }
    if (!drawn.glyphs.emplace(character, std::move(glyph)).second) {
        Malformed("drawn twice", name);
    }
    drawn.characters.push_back(character);
}

std::u32string ParseBlock(Drawn& drawn, std::string_view block) {
    std::u32string characters;
    std::optional<char32_t> current;
    std::vector<std::string_view> rows;
    const auto finish = [&] {
        if (current) {
            AddGlyph(drawn, *current, rows);
            characters.push_back(*current);
        }
        rows.clear();
    };
    while (!block.empty()) {
        const std::size_t end = block.find('\n');
        const std::string_view line = block.substr(0, end);
        block = end == std::string_view::npos ? std::string_view{} : block.substr(end + 1);
        if (line.empty()) {
            continue;
        }
        if (line.starts_with("= ")) {
            finish();
            const std::string_view name = line.substr(2);
            const std::u32string decoded = name == "space" ? U" " : DecodeUtf8(name);
            if (decoded.size() != 1) {
                Malformed("a header that is not one character", decoded);
            }
            current = decoded.front();
        } else {
            rows.push_back(line);
        }
    }
    finish();
    return characters;
}

const Drawn& Font() {
    static const Drawn drawn = [] {
        Drawn d;
        const std::u32string cyrillic =
            ParseBlock(d, kCyrillicCapitals) + ParseBlock(d, kCyrillicSmall);
        const std::u32string latin = ParseBlock(d, kLatinCapitals) + ParseBlock(d, kLatinSmall);
        const std::u32string common = ParseBlock(d, kDigitsAndSigns);
        d.groups = {{"Cyrillic", cyrillic + common}, {"Latin", latin + common}};
        return d;
    }();
    return drawn;
}

}  // namespace

BuiltinFont::BuiltinFont(int scale) : scale_(scale < 2 ? 1 : 2) {}

std::optional<Glyph> BuiltinFont::GlyphFor(char32_t character) const {
    const auto& glyphs = Font().glyphs;
    const auto found = glyphs.find(CanonicalCharacter(character));
    if (found == glyphs.end()) {
        return std::nullopt;
    }
    if (scale_ == 1) {
        return found->second;
    }
    const Glyph& small = found->second;
    Glyph big;
    big.width = small.width * scale_;
    big.height = small.height * scale_;
    big.ink.resize(static_cast<std::size_t>(big.width * big.height));
    for (int row = 0; row < big.height; ++row) {
        for (int column = 0; column < big.width; ++column) {
            big.ink[static_cast<std::size_t>(row * big.width + column)] =
                small.Ink(column / scale_, row / scale_) ? 1 : 0;
        }
    }
    return big;
}

const std::vector<BuiltinFont::Group>& BuiltinFont::Groups() {
    return Font().groups;
}

const std::u32string& BuiltinFont::Characters() {
    return Font().characters;
}

char32_t CanonicalCharacter(char32_t character) {
    switch (character) {
        case U'\u00A0':  // no-break space
        case U'\u2007':
        case U'\u202F':
            return U' ';
        case U'\u201C':  // curly and low double quotes
        case U'\u201D':
        case U'\u201E':
            return U'"';
        case U'\u2018':
        case U'\u2019':
        case U'\u201A':
            return U'\'';
        case U'\u2212':  // minus sign
        case U'\u2010':  // hyphen
            return U'-';
        default:
            return character;
    }
}

}  // namespace kadr::text
