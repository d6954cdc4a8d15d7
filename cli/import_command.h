#pragma once

#include "cli/cli_support.h"
#include "cli/command_help.h"

namespace kadr::cli {

inline constexpr CommandHelp kImportHelp{
    "import", "import IN IMAGE OUT [--threshold 0..255] [--crop] [--dither] [--invert] [--line]",
    "append the frames of a PNG, BMP, JPEG or GIF picture (fit\n"
    "to 28 x 14 or cut 1:1; --line: a wide picture as a running\n"
    "line); '-' as IN: the start-up document",
    "", "kadr import - logo.png logo.kdz --dither"};

// kadr import IN IMAGE OUT [--threshold 0..255] [--crop] [--dither] [--invert] [--line]
int RunImport(const Args& args);

}  // namespace kadr::cli
