#pragma once

#include "cli/cli_support.h"

namespace kadr::cli {

// kadr import IN IMAGE OUT [--threshold 0..255] [--crop] [--dither] [--invert] [--line]
int RunImport(const Args& args);

}  // namespace kadr::cli
