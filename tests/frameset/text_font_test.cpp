// The built-in font and the text renderer: what a ticker's letters need to be legible and stable.
#include <gtest/gtest.h>

#include <set>

#include "frameset/text/builtin_font.h"
#include "frameset/text/text_renderer.h"
#include "frameset/text/utf8.h"

namespace kadr::text {
namespace {

const std::u32string kRussian =
    U"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя";
const std::u32string kLatin = U"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
const std::u32string kDigitsAndSigns = U"0123456789 .,:;!?-+=()\"'/%№«»—";

int InkCount(const Glyph& glyph) {
    int count = 0;
    for (auto dot : glyph.ink) {
        count += dot;
    }
    return count;
}

std::string Name(char32_t c) {
    return EncodeUtf8(std::u32string(1, c));
}

// The columns of a picture from `first`, `count` wide, as one comparable value.
std::vector<std::uint8_t> Columns(const TextPicture& picture, int first, int count) {
    return {picture.ink.begin() + first * kDotRows,
            picture.ink.begin() + (first + count) * kDotRows};
}

TEST(BuiltinFont, HasEveryCharacterATickerNeedsWithInkAndSevenRows) {
    const BuiltinFont font;
    for (const char32_t c : kRussian + kLatin + kDigitsAndSigns) {
        const std::optional<Glyph> glyph = font.GlyphFor(c);
        ASSERT_TRUE(glyph) << Name(c);
        EXPECT_EQ(glyph->height, 7) << Name(c);
        EXPECT_GE(glyph->width, 1) << Name(c);
        EXPECT_LE(glyph->width, 8) << Name(c);
        if (c != U' ') {
            EXPECT_GT(InkCount(*glyph), 0) << Name(c) << " has no ink";
        }
    }
    for (const char32_t c : BuiltinFont::Characters()) {
        if (c != U' ') {
            EXPECT_GT(InkCount(*font.GlyphFor(c)), 0) << Name(c) << " has no ink";
        }
    }
    EXPECT_FALSE(font.GlyphFor(U'☃'));
    EXPECT_FALSE(font.GlyphFor(U'Ω'));
}

TEST(BuiltinFont, GlyphsOfOneAlphabetAllDiffer) {
    const BuiltinFont font;
    ASSERT_EQ(BuiltinFont::Groups().size(), 2u);
    for (const BuiltinFont::Group& group : BuiltinFont::Groups()) {
        const std::u32string& chars = group.characters;
        for (std::size_t i = 0; i < chars.size(); ++i) {
            for (std::size_t j = i + 1; j < chars.size(); ++j) {
                EXPECT_NE(*font.GlyphFor(chars[i]), *font.GlyphFor(chars[j]))
                    << group.name << ": " << Name(chars[i]) << " looks like " << Name(chars[j]);
            }
        }
    }
    // Both alphabets are complete in their groups.
    const std::u32string& cyrillic = BuiltinFont::Groups()[0].characters;
    const std::u32string& latin = BuiltinFont::Groups()[1].characters;
    for (const char32_t c : kRussian) {
        EXPECT_NE(cyrillic.find(c), std::u32string::npos) << Name(c);
    }
    for (const char32_t c : kLatin) {
        EXPECT_NE(latin.find(c), std::u32string::npos) << Name(c);
    }
}

TEST(BuiltinFont, WidthsAreProportional) {
    const BuiltinFont font;
    EXPECT_LT(font.GlyphFor(U'I')->width, font.GlyphFor(U'Ш')->width);
    EXPECT_LT(font.GlyphFor(U'i')->width, font.GlyphFor(U'm')->width);
    EXPECT_LT(font.GlyphFor(U'.')->width, font.GlyphFor(U'—')->width);
    std::set<int> widths;
    for (const char32_t c : BuiltinFont::Characters()) {
        widths.insert(font.GlyphFor(c)->width);
    }
    EXPECT_GE(widths.size(), 5u);
}

TEST(BuiltinFont, FourteenDotFontDoublesEveryDot) {
    const BuiltinFont small(1);
    const BuiltinFont big(2);
    EXPECT_EQ(big.Height(), 14);
    for (const char32_t c : BuiltinFont::Characters()) {
        const Glyph s = *small.GlyphFor(c);
        const Glyph b = *big.GlyphFor(c);
        ASSERT_EQ(b.width, 2 * s.width) << Name(c);
        ASSERT_EQ(b.height, 14);
        for (int row = 0; row < b.height; ++row) {
            for (int column = 0; column < b.width; ++column) {
                ASSERT_EQ(b.Ink(column, row), s.Ink(column / 2, row / 2))
                    << Name(c) << " at " << column << "," << row;
            }
        }
    }
}

TEST(TextRenderer, SameCharacterGivesSameColumnsAndWidthCountsGaps) {
    const BuiltinFont font;
    const int a = font.GlyphFor(U'А')->width;
    for (int gap = 0; gap <= kMaxGap; ++gap) {
        const RenderedText text = RenderText("ААА", font, {Placement::Middle, gap, 0, 0});
        ASSERT_EQ(text.picture.width, 3 * a + 2 * gap) << "gap " << gap;
        const auto first = Columns(text.picture, 0, a);
        EXPECT_EQ(Columns(text.picture, a + gap, a), first);
        EXPECT_EQ(Columns(text.picture, 2 * (a + gap), a), first);
        // The gaps are blank.
        EXPECT_EQ(Columns(text.picture, a, gap), std::vector<std::uint8_t>(gap * kDotRows, 0));
        EXPECT_TRUE(text.missing.empty());
    }
    // Known widths: I is 3 columns, Ш 7, a space 3; lead and trail add blank columns.
    EXPECT_EQ(RenderText("I", font, {}).picture.width, 3);
    EXPECT_EQ(RenderText("ШI", font, {}).picture.width, 11);
    EXPECT_EQ(RenderText("I I", font, {Placement::Top, 2, 0, 0}).picture.width, 13);
    const RenderedText padded = RenderText("I", font, {Placement::Top, 1, 5, 4});
    EXPECT_EQ(padded.picture.width, 12);
    EXPECT_EQ(Columns(padded.picture, 0, 5), std::vector<std::uint8_t>(5 * kDotRows, 0));
    EXPECT_EQ(Columns(padded.picture, 8, 4), std::vector<std::uint8_t>(4 * kDotRows, 0));
    EXPECT_EQ(RenderText("", font, {}).picture.width, 0);
    EXPECT_EQ(RenderText("", font, {}).characters, 0);
}

TEST(TextRenderer, PlacementPutsSevenDotsInTheChosenRows) {
    const BuiltinFont font;
    const std::pair<Placement, int> cases[] = {
        {Placement::Top, 0}, {Placement::Bottom, 7}, {Placement::Middle, 3}};
    for (const auto& [placement, top] : cases) {
        // Е reaches its top and bottom rows.
        const RenderedText text = RenderText("ЕЕ", font, {placement, 1, 0, 0});
        std::set<int> rows;
        for (int c = 0; c < text.picture.width; ++c) {
            for (int r = 0; r < kDotRows; ++r) {
                if (text.picture.Ink(c, r)) {
                    rows.insert(r);
                }
            }
        }
        EXPECT_EQ(*rows.begin(), top);
        EXPECT_EQ(*rows.rbegin(), top + 6);
    }
    // The 14-dot font fills every row whatever the placement.
    const RenderedText big = RenderText("Е", BuiltinFont(2), {Placement::Top, 1, 0, 0});
    EXPECT_TRUE(big.picture.Ink(0, 0));
    EXPECT_TRUE(big.picture.Ink(0, 13));
}

TEST(TextRenderer, MissingCharactersAreBoxedAndNamedOnce) {
    const BuiltinFont font;
    const RenderedText text = RenderText("A☃B☃Ω", font, {Placement::Top, 1, 0, 0});
    EXPECT_EQ(text.missing, U"☃Ω");
    const Glyph box = ReplacementBox(7);
    const int a = font.GlyphFor(U'A')->width;
    const int b = font.GlyphFor(U'B')->width;
    EXPECT_EQ(text.picture.width, a + b + 3 * box.width + 4);
    // The box sits where the snowman was: its corners inked, its middle blank.
    const int at = a + 1;
    EXPECT_TRUE(text.picture.Ink(at, 0));
    EXPECT_TRUE(text.picture.Ink(at + box.width - 1, 6));
    EXPECT_FALSE(text.picture.Ink(at + 1, 3));

    // Broken UTF-8 is drawn and reported, never dropped.
    const RenderedText broken = RenderText(
        "A\xff"
        "B\xd0",
        font, {});
    EXPECT_EQ(broken.characters, 4);
    EXPECT_EQ(broken.missing, std::u32string(1, kReplacementCharacter));

    // Typographic quotes are drawn as the plain ones and count as present.
    const RenderedText curly = RenderText("“x”", font, {});
    EXPECT_TRUE(curly.missing.empty());
    EXPECT_EQ(curly.picture.ink, RenderText("\"x\"", font, {}).picture.ink);
}

TEST(Utf8, DecodesAndRejectsAsExpected) {
    EXPECT_EQ(DecodeUtf8("Ёж №1 €"), U"Ёж №1 €");
    EXPECT_EQ(DecodeUtf8("\xf0\x9f\x98\x80"), U"\U0001F600");
    // Overlong, surrogate, stray continuation, truncated.
    EXPECT_EQ(DecodeUtf8("\xc0\xaf"), std::u32string(1, kReplacementCharacter));
    EXPECT_EQ(DecodeUtf8("\xed\xa0\x80"), std::u32string(1, kReplacementCharacter));
    EXPECT_EQ(DecodeUtf8("\x80z"), std::u32string({kReplacementCharacter, U'z'}));
    EXPECT_EQ(DecodeUtf8("\xe2\x82z"), std::u32string({kReplacementCharacter, U'z'}));
    EXPECT_EQ(EncodeUtf8(U"Привет, мир! 2026"), "Привет, мир! 2026");
}

}  // namespace
}  // namespace kadr::text
