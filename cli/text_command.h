#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/cli_support.h"

class QGuiApplication;

namespace kadr::cli {

// The characters as one JSON string, quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& utf8);

// Desktop fonts need Qt's font database, which needs an application object; a tool for scripts
// draws off screen wherever no display is named.
std::unique_ptr<QGuiApplication> StartFontDatabase();

// --font and --size as given to a text or a message: a font must be named, and the built-in fonts
// have one height each (7 dots, 14 for builtin14). A usage error otherwise.
void CheckFontAndSize(const std::string& font, std::optional<int> size);

int RunText(const Args& args);

}  // namespace kadr::cli
