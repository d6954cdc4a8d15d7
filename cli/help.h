#pragma once

#include <cstdio>
#include <span>

#include "cli/cli_support.h"
#include "cli/command_help.h"

namespace kadr::cli {

// The overview: how to call kadr, every command's synopsis and summary, their details, the exit
// statuses. `kadr --help` prints it on stdout, a usage error on stderr.
void PrintUsage(std::FILE* out, std::span<const CommandHelp> commands);

// One command's page: its synopsis, summary, details and example.
void PrintCommandHelp(std::FILE* out, const CommandHelp& command);

// "kadr VERSION", the project's version.
void PrintVersion(std::FILE* out);

// kadr help [COMMAND | --complete WORD...]: the overview, one command's page, or the words the
// shell may offer after `kadr WORD...`. A usage error for an unknown command.
int RunHelp(const Args& args, std::span<const CommandHelp> commands);

// `--help` anywhere among a command's arguments, or `-h` first, asks for its page instead.
bool AsksForHelp(const Args& args);

}  // namespace kadr::cli
