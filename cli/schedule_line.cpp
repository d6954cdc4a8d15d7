#include "cli/schedule_line.h"

#include "device/port_names.h"
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

std::string ScheduleLine::Label() const {
    return PortLabel(settings.Port, PortDevice(settings.Port));
}

ScheduleLine ResolveScheduleLine(const schedule::LineChoice& choice,
                                 const std::optional<std::string>& portOverride) {
    ScheduleLine line;
    RestorePortSettings(line.settings);
    const std::optional<std::string> port = portOverride ? portOverride : choice.port;
    if (port) {
        const std::optional<std::string> chosen = PortChoiceFromText(*port);
        if (!chosen) {
            throw Error(std::string(portOverride ? "--port" : "port") + ": '" + *port +
                        "' is no port (COM1..COM256 or a device path)");
        }
        line.settings.Port = *chosen;
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
    comm.ChoosePort(line.settings.Port);
    comm.BaudRate = line.settings.BaudRate;
}

}  // namespace kadr::cli
