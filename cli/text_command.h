#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/cli_support.h"
#include "cli/command_help.h"

class QGuiApplication;

namespace kadr::cli {

// The characters as one JSON string, quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& utf8);

// Desktop fonts need Qt's font database, which needs an application object; a tool for scripts
// draws off screen wherever no display is named, and a long run (`offScreen`) always, so that
// it neither starts the display's threads nor ends with the desktop session.
std::unique_ptr<QGuiApplication> StartFontDatabase(bool offScreen = false);

// --font and --size as given to a text or a message: a font must be named, and the built-in fonts
// have one height each (7 dots, 14 for builtin14). A usage error otherwise.
void CheckFontAndSize(const std::string& font, std::optional<int> size);

inline constexpr CommandHelp kTextHelp{
    "text",
    "text IN OUT TEXT [--font builtin|builtin14|FAMILY] [--size 7..14]\n"
    "[--place top|bottom|middle] [--gap 0..3] [--lead N] [--trail N]",
    "append TEXT to IN as a running line (start frame, frames\n"
    "of text, end frame) and write OUT ('-' as IN or OUT as edit)",
    "",
    "kadr text - hello.kdz \"Привет, мир! 2026\"\n"
    "kadr text hello.kdz hello.kdz \"Hello\" --font \"DejaVu Sans\" --size 12 --place top"};

int RunText(const Args& args);

}  // namespace kadr::cli
