#pragma once

#include <string>

#include "cli/cli_support.h"

namespace kadr::cli {

// The characters as one JSON string, quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& utf8);

int RunText(const Args& args);

}  // namespace kadr::cli
