#pragma once

#include "cli/cli_support.h"
#include "cli/command_help.h"

namespace kadr::cli {

inline constexpr CommandHelp kScheduleHelp{
    "schedule", "schedule SCHEDULE [--port NAME] [--check] [--save DIR]",
    "upload what a JSON schedule shows at each time of the\n"
    "week until stopped (--check: the next 10 changes;\n"
    "--save: numbered .kdz files into DIR, no upload)",
    "A schedule: {\"entries\": [{\"days\": [\"mon\",...], \"from\": \"HH:MM\",\n"
    "\"to\": \"HH:MM\", \"show\": FILE}, ...], \"default\": FILE}; FILE a .kdz, .bin\n"
    "or program .json beside it. Logs to NAME.log beside it; SIGINT or SIGTERM stop it\n"
    "(exit status 0).",
    "kadr schedule shop.json --check\n"
    "kadr schedule shop.json --port /dev/ttyUSB0"};

// kadr schedule SCHEDULE [--port NAME] [--check] [--save DIR]
int RunSchedule(const Args& args);

}  // namespace kadr::cli
