#pragma once

#include "cli/cli_support.h"

namespace kadr::cli {

inline constexpr int kExitNoPort = 3;
inline constexpr int kExitInterrupted = 130;

// kadr upload [--port NAME] [--baud RATE] [--timeout SECONDS] FILE
int RunUpload(const Args& args);

}  // namespace kadr::cli
