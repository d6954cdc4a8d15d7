#pragma once

#include <string>

#include "frameset/text/builtin_font.h"

namespace kadr::messages {

// Where a message's font comes from by its name and height. The built-in fonts are here; the
// editor and `kadr` add the desktop fonts, which need a window system, behind the same call.
class FontSource {
  public:
    virtual ~FontSource() = default;
    // Nothing when no font has that name; the font lives as long as the source.
    virtual const text::TextFont* Font(const std::string& name, int size) = 0;
};

// "builtin" (7 dots) and "builtin14"; the size does not matter to them.
class BuiltinFonts : public FontSource {
  public:
    const text::TextFont* Font(const std::string& name, int size) override;

  private:
    text::BuiltinFont seven_{1};
    text::BuiltinFont fourteen_{2};
};

}  // namespace kadr::messages
