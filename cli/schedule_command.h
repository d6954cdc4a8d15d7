#pragma once

#include "cli/cli_support.h"

namespace kadr::cli {

// kadr schedule SCHEDULE [--port NAME] [--check] [--save DIR]
int RunSchedule(const Args& args);

}  // namespace kadr::cli
