#pragma once

#include "cli/cli_support.h"

namespace kadr::cli {

// kadr render IN OUT [--scale N] [--colour NAME] [--frame K]: the frame set as the display
// plays it, as an animated GIF (one pass, looping) or as a PNG of one frame or of every frame.
int RunRender(const Args& args);

}  // namespace kadr::cli
