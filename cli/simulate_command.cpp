#include "cli/simulate_command.h"

#include <string>

#include "cli/port_simulation.h"
#include "cli/pty_simulation.h"
#include "cli/stop_signals.h"
#include "device/port_settings.h"

namespace kadr::cli {
namespace {

struct SimulateOptions {
    std::string link;
    std::string port;
    std::string save;
    bool once = false;
    long long baud = 56000;
};

SimulateOptions ParseSimulateArgs(const Args& args) {
    SimulateOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& { return OptionValue(args, i); };
        if (arg == "--link") {
            options.link = value();
        } else if (arg == "--port") {
            const std::string& name = value();
            const auto port = PortChoiceFromText(name);
            if (!port) {
                throw UsageError("simulate: bad port '" + name +
                                 "' (COM1..COM256 or a device path)");
            }
            // Resolved as an upload resolves it, so that the settings' ComNDevice values apply.
            options.port = PortDevice(*port);
        } else if (arg == "--save") {
            options.save = value();
        } else if (arg == "--once") {
            options.once = true;
        } else if (arg == "--baud") {
            options.baud = ParseIntegerIn(value(), 0, 4'000'000, "baud rate");
        } else {
            throw UsageError("simulate: unexpected argument '" + arg + "'");
        }
    }
    if (!options.port.empty() && !options.link.empty()) {
        throw UsageError(
            "simulate: --link names a pseudo-terminal, --port a serial port: not both");
    }
    return options;
}

}  // namespace

int RunSimulate(const Args& args) {
    const SimulateOptions options = ParseSimulateArgs(args);
    if (!options.port.empty()) {
        PortSimulation port;
        port.port = options.port;
        port.baud = options.baud;
        port.save = options.save;
        port.once = options.once;
        StopSignals stops;
        return ServePort(port, stops);
    }
    PtySimulation pty;
    pty.link = options.link;
    pty.save = options.save;
    pty.once = options.once;
    pty.baud = options.baud;
    return ServePseudoTerminal(pty);
}

}  // namespace kadr::cli
