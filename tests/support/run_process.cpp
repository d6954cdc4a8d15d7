#include "tests/support/run_process.h"

#include "tests/support/child_process.h"

namespace kadr::testing {

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args) {
    ChildProcess child(program, args);
    const int exitCode = child.Wait();
    return {exitCode, child.Out(), child.Err()};
}

}  // namespace kadr::testing
