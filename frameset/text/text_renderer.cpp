#include "frameset/text/text_renderer.h"

#include <algorithm>
#include <map>

#include "frameset/text/builtin_font.h"
#include "frameset/text/utf8.h"

namespace kadr::text {
namespace {

int TopRow(Placement placement, int height) {
    switch (placement) {
        case Placement::Top:
            return 0;
        case Placement::Bottom:
            return kDotRows - height;
        case Placement::Middle:
            break;
    }
    return (kDotRows - height) / 2;
}

}  // namespace

Glyph ReplacementBox(int height) {
    Glyph box;
    box.height = height;
    box.width = std::max(3, (height * 5 + 6) / 7);
    box.ink.assign(static_cast<std::size_t>(box.width * box.height), 0);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < box.width; ++column) {
            const bool edge =
                row == 0 || row == height - 1 || column == 0 || column == box.width - 1;
            box.ink[static_cast<std::size_t>(row * box.width + column)] = edge ? 1 : 0;
        }
    }
    return box;
}

RenderedText RenderText(std::string_view utf8, const TextFont& font, const TextLayout& layout) {
    const std::u32string characters = DecodeUtf8(utf8);
    const int height = std::clamp(font.Height(), 1, kDotRows);
    const int gap = std::clamp(layout.gap, 0, kMaxGap);
    const int lead = std::clamp(layout.lead, 0, kMaxMargin);
    const int trail = std::clamp(layout.trail, 0, kMaxMargin);

    RenderedText out;
    out.characters = static_cast<int>(characters.size());
    // A long text repeats few characters: each is looked up once and drawn from the same glyph.
    std::vector<Glyph> glyphs;
    std::map<char32_t, std::size_t> known;
    std::vector<std::size_t> order;
    order.reserve(characters.size());
    int width = lead + trail;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const char32_t c = CanonicalCharacter(characters[i]);
        auto found = known.find(c);
        if (found == known.end()) {
            std::optional<Glyph> glyph = font.GlyphFor(c);
            if (!glyph || glyph->width <= 0 || glyph->height <= 0) {
                out.missing.push_back(characters[i]);
                glyph = ReplacementBox(height);
            }
            found = known.emplace(c, glyphs.size()).first;
            glyphs.push_back(std::move(*glyph));
        }
        order.push_back(found->second);
        width += glyphs[found->second].width + (i > 0 ? gap : 0);
    }

    TextPicture& picture = out.picture;
    picture.width = width;
    picture.ink.assign(static_cast<std::size_t>(width) * kDotRows, 0);
    int left = lead;
    out.characterEnds.reserve(order.size());
    for (const std::size_t index : order) {
        const Glyph& glyph = glyphs[index];
        const int rows = std::min(glyph.height, kDotRows);
        const int top = TopRow(layout.placement, rows);
        for (int column = 0; column < glyph.width; ++column) {
            for (int row = 0; row < rows; ++row) {
                if (glyph.Ink(column, row)) {
                    picture.SetInk(left + column, top + row);
                }
            }
        }
        out.characterEnds.push_back(left + glyph.width);
        left += glyph.width + gap;
    }
    return out;
}

}  // namespace kadr::text
