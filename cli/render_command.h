#pragma once

#include "cli/cli_support.h"
#include "cli/command_help.h"

namespace kadr::cli {

inline constexpr CommandHelp kRenderHelp{
    "render", "render [--scale N] [--colour red|green|amber|white|blue] [--frame K] IN OUT",
    "the set as the display plays it: OUT .gif is one pass,\n"
    "looping; .png is frame K (from 1) or a sheet of every\n"
    "frame ('-' as IN: one blank frame; N: LED size, default 8;\n"
    "nothing to play is a failure)",
    "", "kadr render line.kdz line.gif --scale 4 --colour amber"};

// kadr render IN OUT [--scale N] [--colour NAME] [--frame K]: the frame set as the display
// plays it, as an animated GIF (one pass, looping) or as a PNG of one frame or of every frame.
int RunRender(const Args& args);

}  // namespace kadr::cli
