#include "frameset/messages/message_fonts.h"

#include "frameset/messages/message.h"

namespace kadr::messages {

const text::TextFont* BuiltinFonts::Font(const std::string& name, int /*size*/) {
    if (name == kBuiltinFont) {
        return &seven_;
    }
    if (name == kBuiltinFont14) {
        return &fourteen_;
    }
    return nullptr;
}

}  // namespace kadr::messages
