#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "frameset/messages/message_fonts.h"
#include "pictures/system_font.h"

namespace kadr {

// The fonts of messages for the editor and `kadr`: the built-in ones, and any other name as an
// installed font at the message's height, each found once. Needs a QGuiApplication for those.
class MessageFontSource : public kadr::messages::FontSource {
  public:
    const kadr::text::TextFont* Font(const std::string& name, int size) override;

  private:
    kadr::messages::BuiltinFonts builtin_;
    std::map<std::pair<std::string, int>, std::unique_ptr<SystemFont>> desktop_;
};

}  // namespace kadr
