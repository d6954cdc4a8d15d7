#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frameset/text/text_renderer.h"

namespace kadr::messages {

// How a message is shown: a still text that comes, stays and goes as animation frames, or a
// running line the unit scrolls itself.
enum class Show { Still, Line };
enum class Align { Left, Centre, Right };

// How a still text comes onto the display or leaves it. Typewriter is an entry only.
enum class Effect {
    None,
    ScrollLeft,
    ScrollRight,
    ScrollUp,
    ScrollDown,
    WipeRight,
    WipeLeft,
    Open,
    Close,
    Typewriter,
    Dissolve,
};
inline constexpr Effect kEffects[] = {
    Effect::None,       Effect::ScrollLeft, Effect::ScrollRight, Effect::ScrollUp,
    Effect::ScrollDown, Effect::WipeRight,  Effect::WipeLeft,    Effect::Open,
    Effect::Close,      Effect::Typewriter, Effect::Dissolve,
};
bool IsExitEffect(Effect effect);

// The names of the program file and of `kadr message`: "scroll-left", "centre", "line", ...
const char* EffectName(Effect effect);
const char* ShowName(Show show);
const char* AlignName(Align align);
const char* PlacementName(text::Placement placement);
std::optional<Effect> ParseEffect(std::string_view name);
std::optional<Show> ParseShow(std::string_view name);
std::optional<Align> ParseAlign(std::string_view name);
std::optional<text::Placement> ParsePlacement(std::string_view name);

inline constexpr double kMaxHoldSeconds = 60;
inline constexpr int kMaxBlink = 50;
inline constexpr int kMinFontSize = 7;
inline constexpr int kMaxFontSize = 14;
inline constexpr const char* kBuiltinFont = "builtin";      // 7 dots
inline constexpr const char* kBuiltinFont14 = "builtin14";  // the same, every dot doubled

// One message with every setting it is made with. The defaults are the fixed defaults of
// `kadr message` and of a program file's omitted fields.
struct Message {
    std::string text;
    Show show = Show::Still;
    Align align = Align::Centre;
    Effect in = Effect::None;
    Effect out = Effect::None;
    double hold = 2;                  // seconds, 0..60
    int blink = 0;                    // frames lit, then as many dark, over the hold; 0 = steady
    std::string font = kBuiltinFont;  // "builtin", "builtin14" or a desktop font's family
    int size = kMaxFontSize;          // a desktop font's height in dots
    text::Placement place = text::Placement::Middle;
    int gap = 1;

    bool operator==(const Message&) const = default;
};

// Messages shown one after another; the speed, when given, is set before the holds are counted.
struct Program {
    std::optional<int> speedAnim;
    std::vector<Message> messages;

    bool operator==(const Program&) const = default;
};

}  // namespace kadr::messages
