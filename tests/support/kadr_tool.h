#pragma once

#include <string>
#include <vector>

#include "tests/support/run_process.h"

namespace kadr::testing {

// The kadr tool of this build: the test target names it in KADR_BIN.
inline ProcessResult Kadr(const std::vector<std::string>& args) {
    return RunProcess(KADR_BIN, args);
}

}  // namespace kadr::testing
