#pragma once

#include <optional>
#include <string>

#include "device/port_settings.h"
#include "frameset/schedule/schedule.h"

namespace kadr {
class TVSSComm32;
}

namespace kadr::cli {

// The line a schedule uploads over: the editor's stored settings, what the schedule file names
// over them, and --port over both.
struct ScheduleLine {
    PortSettings settings;
    // How the log names the port: "COM7", "Com1 (/dev/ttyS0)".
    std::string Label() const;
};

// Throws Error naming the field ("port: ...", "baud: ...") when the schedule names a port or a
// speed the link does not know.
ScheduleLine ResolveScheduleLine(const schedule::LineChoice& choice,
                                 const std::optional<std::string>& portOverride);

// The one place a schedule's port becomes the device the serial component opens.
void AimAtPort(TVSSComm32& comm, const ScheduleLine& line);

}  // namespace kadr::cli
