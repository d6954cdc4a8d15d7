#pragma once

#include <memory>
#include <string>

#include "cli/cli_support.h"

class QGuiApplication;

namespace kadr::cli {

// The characters as one JSON string, quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& utf8);

// Desktop fonts need Qt's font database, which needs an application object; a tool for scripts
// draws off screen wherever no display is named.
std::unique_ptr<QGuiApplication> StartFontDatabase();

int RunText(const Args& args);

}  // namespace kadr::cli
