#pragma once

#include <string>

namespace kadr::cli {

struct PtySimulation {
    std::string link;  // a symbolic link made to the device; empty: none
    std::string save;  // where each received frame set goes; empty: nowhere
    bool once = false;
    long long baud = 56000;  // the pace of the simulated line; 0 answers at once
};

// The virtual display unit on a pseudo-terminal of its own, announced as "port DEVICE".
// Systems without pseudo-terminals refuse with a usage error that points to --port.
int ServePseudoTerminal(const PtySimulation& options);

}  // namespace kadr::cli
