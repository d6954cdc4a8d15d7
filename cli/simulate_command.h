#pragma once

#include "cli/cli_support.h"

namespace kadr::cli {

// kadr simulate [--link PATH | --port NAME] [--save FILE] [--once] [--baud RATE]
int RunSimulate(const Args& args);

}  // namespace kadr::cli
