#include "cli/program_run.h"

int kadr::cli::RunOnPlatform(const std::function<int()>& run) {
    return run();
}
