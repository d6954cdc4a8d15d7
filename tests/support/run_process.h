#pragma once

#include <string>
#include <vector>

namespace kadr::testing {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program with arguments (no shell), waits for it and collects both output streams.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args);

}  // namespace kadr::testing
