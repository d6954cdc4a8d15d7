#pragma once

#include "cli/cli_support.h"
#include "cli/command_help.h"

namespace kadr::cli {

inline constexpr CommandHelp kSimulateHelp{
    "simulate", "simulate [--link PATH | --port NAME] [--save FILE] [--once] [--baud RATE]",
    "a virtual display unit on a pseudo-terminal; prints its\n"
    "device as 'port DEVICE' (--baud 0: no line pacing)",
    "",
    "kadr simulate --link /tmp/display --save /tmp/got.kdz --once &\n"
    "kadr upload --port /tmp/display line.kdz"};

// kadr simulate [--link PATH | --port NAME] [--save FILE] [--once] [--baud RATE]
int RunSimulate(const Args& args);

}  // namespace kadr::cli
