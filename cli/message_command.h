#pragma once

#include "cli/cli_support.h"

namespace kadr::cli {

// `kadr message`: one message appended at the end of the frame set.
int RunMessage(const Args& args);
// `kadr compose`: a program file's messages appended at the end, at the program's speed.
int RunCompose(const Args& args);

}  // namespace kadr::cli
