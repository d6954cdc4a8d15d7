#pragma once

#include <string>

namespace kadr {

// On Windows a program cannot send Ctrl+C to a `kadr` that has no console of its own (one the
// editor started in the background): it sets the event of this name instead, which `kadr`
// waits on beside Ctrl+C. The name carries the process id, so each `kadr` has its own.
inline std::string StopEventName(unsigned long processId) {
    return "Local\\kadr-stop-" + std::to_string(processId);
}

}  // namespace kadr
