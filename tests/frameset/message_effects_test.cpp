// How a still text comes and goes: the effects' frames against dots worked out by hand and by a
// small model of dots as coordinate pairs, which shares nothing with the pictures under test.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>
#include <utility>

#include "frameset/messages/message_plan.h"
#include "frameset/text/builtin_font.h"
#include "frameset/text/utf8.h"

namespace kadr::messages {
namespace {

using Dots = std::set<std::pair<int, int>>;  // (column, row) in the 28 x 14 picture

Dots DotsOf(const Picture& picture) {
    Dots dots;
    for (int c = 0; c < 28; ++c) {
        for (int r = 0; r < 14; ++r) {
            if (picture.Lit(c, r)) {
                dots.insert({c, r});
            }
        }
    }
    return dots;
}

std::vector<Dots> DotsOf(const std::vector<Picture>& pictures) {
    std::vector<Dots> out;
    for (const Picture& p : pictures) {
        out.push_back(DotsOf(p));
    }
    return out;
}

Dots Shift(const Dots& dots, int dx, int dy) {
    Dots out;
    for (const auto& [c, r] : dots) {
        if (c + dx >= 0 && c + dx < 28 && r + dy >= 0 && r + dy < 14) {
            out.insert({c + dx, r + dy});
        }
    }
    return out;
}

Dots Columns(const Dots& dots, int first, int last) {
    Dots out;
    for (const auto& dot : dots) {
        if (dot.first >= first && dot.first <= last) {
            out.insert(dot);
        }
    }
    return out;
}

// The dots of a text as drawn by hand from the built-in font's glyphs.
struct HandText {
    const char* text;
    Align align;
    text::Placement place;
    Dots dots;
    int a, b, t, u;  // the ink's columns and rows, by hand
};

Dots Horizontal(int c0, int c1, int r) {
    Dots out;
    for (int c = c0; c <= c1; ++c) {
        out.insert({c, r});
    }
    return out;
}
Dots Vertical(int c, int r0, int r1) {
    Dots out;
    for (int r = r0; r <= r1; ++r) {
        out.insert({c, r});
    }
    return out;
}
Dots Join(Dots a, const Dots& b) {
    a.insert(b.begin(), b.end());
    return a;
}

std::vector<HandText> HandTexts() {
    return {
        // "Т" is 5 wide, so centred from column 11; the 7-dot font in the middle takes rows 3..9.
        {"Т", Align::Centre, text::Placement::Middle,
         Join(Horizontal(11, 15, 3), Vertical(13, 4, 9)), 11, 15, 3, 9},
        // A space (3 columns) and the gap before "Т", left aligned: ink from column 4.
        {" Т", Align::Left, text::Placement::Top, Join(Horizontal(4, 8, 0), Vertical(6, 1, 6)), 4,
         8, 0, 6},
        // "-" right aligned: columns 25..27, its one row 3 of the glyph on picture row 10 when
        // the font sits in the lower module row (rows 7..13).
        {"-", Align::Right, text::Placement::Bottom, Horizontal(25, 27, 10), 25, 27, 10, 10},
        // "1." centred: 3 + 1 + 1 = 5 columns from 11; "1" has a foot of three dots.
        {"1.", Align::Centre, text::Placement::Middle,
         Join(Join(Vertical(12, 3, 9), Dots{{11, 4}, {11, 9}, {13, 9}}), Dots{{15, 9}}), 11, 15, 3,
         9},
    };
}

MessagePlan Plan(const HandText& hand, Effect in, Effect out) {
    Message message;
    message.text = hand.text;
    message.align = hand.align;
    message.place = hand.place;
    message.in = in;
    message.out = out;
    return PlanMessage(message, text::BuiltinFont(), 10);
}

struct TableRow {
    Effect effect;
    std::function<std::vector<Dots>(const Dots&, int a, int b, int t, int u)> entry, exit;
};

// The house table, row by row, on the dot model.
std::vector<TableRow> Table() {
    using V = std::vector<Dots>;
    return {
        {Effect::ScrollLeft,
         [](const Dots& r, int a, int, int, int) {
             V v;
             for (int d = 27 - a; d >= 1; --d) {
                 v.push_back(Shift(r, d, 0));
             }
             return v;
         },
         [](const Dots& r, int, int b, int, int) {
             V v;
             for (int d = 1; d <= b; ++d) {
                 v.push_back(Shift(r, -d, 0));
             }
             return v;
         }},
        {Effect::ScrollRight,
         [](const Dots& r, int, int b, int, int) {
             V v;
             for (int d = b; d >= 1; --d) {
                 v.push_back(Shift(r, -d, 0));
             }
             return v;
         },
         [](const Dots& r, int a, int, int, int) {
             V v;
             for (int d = 1; d <= 27 - a; ++d) {
                 v.push_back(Shift(r, d, 0));
             }
             return v;
         }},
        {Effect::ScrollUp,
         [](const Dots& r, int, int, int t, int) {
             V v;
             for (int d = 13 - t; d >= 1; --d) {
                 v.push_back(Shift(r, 0, d));
             }
             return v;
         },
         [](const Dots& r, int, int, int, int u) {
             V v;
             for (int d = 1; d <= u; ++d) {
                 v.push_back(Shift(r, 0, -d));
             }
             return v;
         }},
        {Effect::ScrollDown,
         [](const Dots& r, int, int, int, int u) {
             V v;
             for (int d = u; d >= 1; --d) {
                 v.push_back(Shift(r, 0, -d));
             }
             return v;
         },
         [](const Dots& r, int, int, int t, int) {
             V v;
             for (int d = 1; d <= 13 - t; ++d) {
                 v.push_back(Shift(r, 0, d));
             }
             return v;
         }},
        {Effect::WipeRight,
         [](const Dots& r, int a, int b, int, int) {
             V v;
             for (int k = 1; k <= b - a; ++k) {
                 v.push_back(Columns(r, a, a + k - 1));
             }
             return v;
         },
         [](const Dots& r, int a, int b, int, int) {
             V v;
             for (int k = 1; k <= b - a; ++k) {
                 v.push_back(Columns(r, a + k, b));
             }
             return v;
         }},
        {Effect::WipeLeft,
         [](const Dots& r, int a, int b, int, int) {
             V v;
             for (int k = 1; k <= b - a; ++k) {
                 v.push_back(Columns(r, b - k + 1, b));
             }
             return v;
         },
         [](const Dots& r, int a, int b, int, int) {
             V v;
             for (int k = 1; k <= b - a; ++k) {
                 v.push_back(Columns(r, a, b - k));
             }
             return v;
         }},
    };
}

TEST(MessageEffects, RestPicturesAreTheTextsWhereTheAlignmentPutsThem) {
    for (const HandText& hand : HandTexts()) {
        const MessagePlan plan = Plan(hand, Effect::None, Effect::None);
        ASSERT_EQ(plan.refusal, Refusal::None) << hand.text;
        EXPECT_EQ(DotsOf(plan.rest.picture), hand.dots) << hand.text;
        const std::optional<InkBounds> ink = InkOf(plan.rest.picture);
        ASSERT_TRUE(ink);
        EXPECT_EQ(ink->left, hand.a);
        EXPECT_EQ(ink->right, hand.b);
        EXPECT_EQ(ink->top, hand.t);
        EXPECT_EQ(ink->bottom, hand.u);
        EXPECT_TRUE(plan.entry.empty());  // none: R alone
        EXPECT_TRUE(plan.exit.empty());
    }
}

TEST(MessageEffects, TheTableFrameByFrame) {
    for (const HandText& hand : HandTexts()) {
        for (const TableRow& row : Table()) {
            const MessagePlan plan = Plan(hand, row.effect, row.effect);
            const char* name = EffectName(row.effect);
            EXPECT_EQ(DotsOf(plan.entry), row.entry(hand.dots, hand.a, hand.b, hand.t, hand.u))
                << hand.text << " in " << name;
            EXPECT_EQ(DotsOf(plan.exit), row.exit(hand.dots, hand.a, hand.b, hand.t, hand.u))
                << hand.text << " out " << name;
        }
    }
}

// Random texts in every alignment, placement and gap: R is the rendered text where the alignment
// puts it (worked out here from the text picture), and the table's effects follow from R alone.
TEST(MessageEffects, TheTableOnRandomTexts) {
    std::mt19937 rng(20261208);
    const std::u32string& characters = text::BuiltinFont::Characters();
    const text::BuiltinFont font;
    const std::vector<TableRow> table = Table();
    int checked = 0;
    for (int round = 0; round < 300; ++round) {
        std::u32string word;
        const int length = 1 + static_cast<int>(rng() % 5);
        for (int i = 0; i < length; ++i) {
            word.push_back(characters[rng() % characters.size()]);
        }
        Message message;
        message.text = text::EncodeUtf8(word);
        message.align = static_cast<Align>(rng() % 3);
        message.place = static_cast<text::Placement>(rng() % 3);
        message.gap = static_cast<int>(rng() % 4);
        const text::RenderedText rendered =
            text::RenderText(message.text, font, {message.place, message.gap, 0, 0});
        const int w = rendered.picture.width;
        if (w > 28) {
            EXPECT_EQ(PlanMessage(message, font, 10).refusal, Refusal::TooWide) << message.text;
            continue;
        }
        const int left = message.align == Align::Left    ? 0
                         : message.align == Align::Right ? 28 - w
                                                         : (28 - w) / 2;
        Dots r;
        for (int c = 0; c < w; ++c) {
            for (int row = 0; row < 14; ++row) {
                if (rendered.picture.Ink(c, row)) {
                    r.insert({left + c, row});
                }
            }
        }
        if (r.empty()) {
            continue;  // spaces only: no entry, no exit
        }
        int a = 27, b = 0, t = 13, u = 0;
        for (const auto& [c, row] : r) {
            a = std::min(a, c);
            b = std::max(b, c);
            t = std::min(t, row);
            u = std::max(u, row);
        }
        const TableRow& row = table[rng() % table.size()];
        const TableRow& other = table[rng() % table.size()];
        message.in = row.effect;
        message.out = other.effect;
        const MessagePlan plan = PlanMessage(message, font, 10);
        EXPECT_EQ(DotsOf(plan.rest.picture), r) << message.text;
        EXPECT_EQ(DotsOf(plan.entry), row.entry(r, a, b, t, u))
            << message.text << " in " << EffectName(row.effect);
        EXPECT_EQ(DotsOf(plan.exit), other.exit(r, a, b, t, u))
            << message.text << " out " << EffectName(other.effect);
        ++checked;
    }
    EXPECT_GT(checked, 150);
}

TEST(MessageEffects, WorkedFramesOfTheCentredT) {
    const HandText t = HandTexts()[0];
    // Entering leftwards: 16 frames, the first showing the crossbar's left dot in column 27.
    const MessagePlan left = Plan(t, Effect::ScrollLeft, Effect::ScrollUp);
    ASSERT_EQ(left.entry.size(), 16u);
    EXPECT_EQ(DotsOf(left.entry.front()), (Dots{{27, 3}}));
    EXPECT_EQ(DotsOf(left.entry.back()), Join(Horizontal(12, 16, 3), Vertical(14, 4, 9)));
    // Leaving upwards: 9 frames, the last the stem's foot alone in row 0.
    ASSERT_EQ(left.exit.size(), 9u);
    EXPECT_EQ(DotsOf(left.exit.back()), (Dots{{13, 0}}));
    EXPECT_EQ(left.FrameCount(), 16 + 20 + 9);  // 2 s at 10 frames a second
    // Downwards the stem crosses between the module rows: row 6 lies directly above row 7.
    const MessagePlan down = Plan(t, Effect::ScrollDown, Effect::ScrollDown);
    ASSERT_EQ(down.entry.size(), 9u);
    EXPECT_EQ(DotsOf(down.entry.front()), (Dots{{13, 0}}));
    ASSERT_EQ(down.exit.size(), 10u);
    EXPECT_EQ(DotsOf(down.exit[3]), Join(Horizontal(11, 15, 7), Vertical(13, 8, 13)));
    // Wipes: 4 frames each way, never R itself.
    const MessagePlan wipe = Plan(t, Effect::WipeRight, Effect::WipeLeft);
    ASSERT_EQ(wipe.entry.size(), 4u);
    EXPECT_EQ(DotsOf(wipe.entry[0]), (Dots{{11, 3}}));
    EXPECT_EQ(DotsOf(wipe.entry[3]), Join(Horizontal(11, 14, 3), Vertical(13, 4, 9)));
    ASSERT_EQ(wipe.exit.size(), 4u);
    EXPECT_EQ(DotsOf(wipe.exit[3]), (Dots{{11, 3}}));
}

// Open, close, typewriter and dissolve: R with some of its dots, never R, never empty, no two
// neighbours equal, and the same message always gives the same frames.
void ExpectPartsOfR(const std::vector<Picture>& frames, const Dots& r, const std::string& what) {
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const Dots dots = DotsOf(frames[i]);
        EXPECT_FALSE(dots.empty()) << what << " frame " << i;
        EXPECT_NE(dots, r) << what << " frame " << i;
        EXPECT_TRUE(std::includes(r.begin(), r.end(), dots.begin(), dots.end()))
            << what << " frame " << i;
        if (i > 0) {
            EXPECT_NE(dots, DotsOf(frames[i - 1])) << what << " frame " << i;
        }
    }
}

TEST(MessageEffects, BeyondTheTableEveryFrameIsPartOfR) {
    const Effect effects[] = {Effect::Open, Effect::Close, Effect::Typewriter, Effect::Dissolve};
    for (const HandText& hand : HandTexts()) {
        for (const Effect effect : effects) {
            const MessagePlan plan = Plan(hand, effect, effect);
            const std::string what = std::string(hand.text) + " " + EffectName(effect);
            ExpectPartsOfR(plan.entry, hand.dots, what + " in");
            ExpectPartsOfR(plan.exit, hand.dots, what + " out");
            const MessagePlan again = Plan(hand, effect, effect);
            EXPECT_EQ(DotsOf(again.entry), DotsOf(plan.entry)) << what;
            EXPECT_EQ(DotsOf(again.exit), DotsOf(plan.exit)) << what;
        }
    }
}

TEST(MessageEffects, WorkedFramesBeyondTheTable) {
    const HandText t = HandTexts()[0];  // columns 11..15, the stem in 13
    // Opening from the centre line (between 13 and 14): columns 13..14, 12..15, then R.
    const MessagePlan open = Plan(t, Effect::Open, Effect::Close);
    ASSERT_EQ(open.entry.size(), 2u);
    EXPECT_EQ(DotsOf(open.entry[0]), Join(Horizontal(13, 14, 3), Vertical(13, 4, 9)));
    EXPECT_EQ(DotsOf(open.entry[1]), Join(Horizontal(12, 15, 3), Vertical(13, 4, 9)));
    // Closing towards it: the same two pictures the other way round.
    ASSERT_EQ(open.exit.size(), 2u);
    EXPECT_EQ(DotsOf(open.exit[0]), DotsOf(open.entry[1]));
    EXPECT_EQ(DotsOf(open.exit[1]), DotsOf(open.entry[0]));
    // Dissolve over 14 steps: of the 11 dots the k-th candidate holds round(11k / 14), that is
    // 1 2 2 3 4 5 6 6 7 8 9 9 10 for k = 1..13; equal neighbours go, leaving 1..10 dots.
    const MessagePlan dissolve = Plan(t, Effect::Dissolve, Effect::Dissolve);
    ASSERT_EQ(dissolve.entry.size(), 10u);
    for (std::size_t i = 0; i < dissolve.entry.size(); ++i) {
        EXPECT_EQ(DotsOf(dissolve.entry[i]).size(), i + 1);
    }
    ASSERT_EQ(dissolve.exit.size(), 10u);
    EXPECT_EQ(DotsOf(dissolve.exit.front()).size(), 10u);
    EXPECT_EQ(DotsOf(dissolve.exit.back()).size(), 1u);
    // Typewriter: "1." types "1" alone, then the whole is R; typewriter does not leave.
    const MessagePlan typed = Plan(HandTexts()[3], Effect::Typewriter, Effect::Typewriter);
    ASSERT_EQ(typed.entry.size(), 1u);
    EXPECT_EQ(DotsOf(typed.entry[0]), Join(Vertical(12, 3, 9), Dots{{11, 4}, {11, 9}, {13, 9}}));
    EXPECT_TRUE(typed.exit.empty());
    EXPECT_FALSE(IsExitEffect(Effect::Typewriter));
}

TEST(MessageEffects, ABlankTextIsHeldWithoutEntryOrExit) {
    Message message;
    message.text = "   ";
    message.in = Effect::ScrollLeft;
    message.out = Effect::Dissolve;
    const MessagePlan plan = PlanMessage(message, text::BuiltinFont(), 5);
    EXPECT_EQ(plan.refusal, Refusal::None);
    EXPECT_TRUE(plan.entry.empty());
    EXPECT_TRUE(plan.exit.empty());
    EXPECT_EQ(plan.FrameCount(), 10);
}

}  // namespace
}  // namespace kadr::messages
