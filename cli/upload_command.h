#pragma once

#include "cli/cli_support.h"
#include "cli/command_help.h"

namespace kadr::cli {

inline constexpr int kExitNoPort = 3;
inline constexpr int kExitInterrupted = 130;

inline constexpr CommandHelp kUploadHelp{
    "upload", "upload [--port NAME] [--baud RATE] [--timeout SECONDS] FILE",
    "upload FILE into the display unit (NAME: COM1..COM256\n"
    "or a device path; defaults: the editor's stored settings)",
    "", "kadr upload --port /dev/ttyUSB0 --baud 56000 line.kdz"};

// kadr upload [--port NAME] [--baud RATE] [--timeout SECONDS] FILE
int RunUpload(const Args& args);

}  // namespace kadr::cli
