#include "cli/cli_support.h"
#include "cli/pty_simulation.h"

namespace kadr::cli {

int ServePseudoTerminal(const PtySimulation&) {
    throw UsageError(
        "simulate: Windows has no pseudo-terminals: serve one end of a null-modem pair with "
        "--port NAME");
}

}  // namespace kadr::cli
