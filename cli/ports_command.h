#pragma once

#include "cli/cli_support.h"
#include "cli/command_help.h"

namespace kadr::cli {

inline constexpr CommandHelp kPortsHelp{"ports", "ports [--json]",
                                        "the serial ports present (name, description, USB ids)\n"
                                        "and the one the editor's stored settings choose",
                                        "", "kadr ports --json"};

// `kadr ports [--json]`: the serial ports present and the one the stored settings choose.
int RunPorts(const Args& args);

}  // namespace kadr::cli
