#include "pictures/message_font_source.h"

#include <algorithm>

namespace kadr {

const kadr::text::TextFont* MessageFontSource::Font(const std::string& name, int size) {
    if (const kadr::text::TextFont* font = builtin_.Font(name, size)) {
        return font;
    }
    const int height = std::clamp(size, SystemFont::kMinHeight, SystemFont::kMaxHeight);
    const auto key = std::make_pair(name, height);
    auto found = desktop_.find(key);
    if (found == desktop_.end()) {
        // A name no font has is remembered too: the dialog asks again on every key.
        found = desktop_.emplace(key, SystemFont::Find(QString::fromStdString(name), height)).first;
    }
    return found->second.get();
}

}  // namespace kadr
