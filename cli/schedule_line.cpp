#include "cli/schedule_line.h"

#include "device/vss_comm32.h"
#include "frameset/errors.h"

namespace kadr::cli {
namespace {

std::string RateList() {
    std::string list;
    for (int i = 0; i < kBaudRateCount; ++i) {
        list += (list.empty() ? "" : ", ") + std::to_string(BaudValue(static_cast<TBaudRate>(i)));
    }
    return list;
}

}  // namespace

ScheduleLine ResolveScheduleLine(const schedule::LineChoice& choice,
                                 const std::optional<std::string>& portOverride) {
    ScheduleLine line;
    RestorePortSettings(line.settings);
    line.portName = std::string(EnumName(line.settings.CommPort));
    const std::optional<std::string> port = portOverride ? portOverride : choice.port;
    if (port) {
        if (const auto named = CommPortFromName(*port)) {
            line.settings.CommPort = *named;
        } else if (port->find_first_of("/\\") != std::string::npos) {
            line.devicePath = *port;
        } else {
            throw Error(std::string(portOverride ? "--port" : "port") + ": '" + *port +
                        "' is no port (Com1..Com4 or a device path)");
        }
        line.portName = *port;
    }
    if (choice.baud) {
        const std::optional<TBaudRate> rate = BaudRateFromValue(*choice.baud);
        if (!rate) {
            throw Error("baud: " + std::to_string(*choice.baud) + " is not one of " + RateList());
        }
        line.settings.BaudRate = *rate;
    }
    if (choice.timeout) {
        line.settings.SendTimeoutInterval = *choice.timeout * 1000;
    }
    return line;
}

void AimAtPort(TVSSComm32& comm, const ScheduleLine& line) {
    comm.CommPort = line.settings.CommPort;
    comm.DevicePath = line.devicePath;
    comm.BaudRate = line.settings.BaudRate;
}

}  // namespace kadr::cli
