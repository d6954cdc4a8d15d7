#pragma once

#include "cli/cli_support.h"

namespace kadr::cli {

// `kadr ports [--json]`: the serial ports present and the one the stored settings choose.
int RunPorts(const Args& args);

}  // namespace kadr::cli
