#include "frameset/messages/message.h"

#include <array>
#include <utility>

namespace kadr::messages {
namespace {

template <typename Value, std::size_t N>
std::optional<Value> Find(const std::array<std::pair<Value, const char*>, N>& names,
                          std::string_view name) {
    for (const auto& [value, word] : names) {
        if (name == word) {
            return value;
        }
    }
    return std::nullopt;
}

template <typename Value, std::size_t N>
const char* NameOf(const std::array<std::pair<Value, const char*>, N>& names, Value value) {
    for (const auto& [v, word] : names) {
        if (v == value) {
            return word;
        }
    }
    return "";
}

constexpr std::array<std::pair<Effect, const char*>, 11> kEffectNames{{
    {Effect::None, "none"},
    {Effect::ScrollLeft, "scroll-left"},
    {Effect::ScrollRight, "scroll-right"},
    {Effect::ScrollUp, "scroll-up"},
    {Effect::ScrollDown, "scroll-down"},
    {Effect::WipeRight, "wipe-right"},
    {Effect::WipeLeft, "wipe-left"},
    {Effect::Open, "open"},
    {Effect::Close, "close"},
    {Effect::Typewriter, "typewriter"},
    {Effect::Dissolve, "dissolve"},
}};
constexpr std::array<std::pair<Show, const char*>, 2> kShowNames{{
    {Show::Still, "still"},
    {Show::Line, "line"},
}};
constexpr std::array<std::pair<Align, const char*>, 3> kAlignNames{{
    {Align::Left, "left"},
    {Align::Centre, "centre"},
    {Align::Right, "right"},
}};
constexpr std::array<std::pair<text::Placement, const char*>, 3> kPlacementNames{{
    {text::Placement::Top, "top"},
    {text::Placement::Bottom, "bottom"},
    {text::Placement::Middle, "middle"},
}};

}  // namespace

bool IsExitEffect(Effect effect) {
    return effect != Effect::Typewriter;
}

const char* EffectName(Effect effect) {
    return NameOf(kEffectNames, effect);
}
const char* ShowName(Show show) {
    return NameOf(kShowNames, show);
}
const char* AlignName(Align align) {
    return NameOf(kAlignNames, align);
}
const char* PlacementName(text::Placement placement) {
    return NameOf(kPlacementNames, placement);
}
std::optional<Effect> ParseEffect(std::string_view name) {
    return Find(kEffectNames, name);
}
std::optional<Show> ParseShow(std::string_view name) {
    return Find(kShowNames, name);
}
std::optional<Align> ParseAlign(std::string_view name) {
    return Find(kAlignNames, name);
}
std::optional<text::Placement> ParsePlacement(std::string_view name) {
    return Find(kPlacementNames, name);
}

}  // namespace kadr::messages
