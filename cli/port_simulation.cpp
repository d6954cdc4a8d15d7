#include "cli/port_simulation.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "cli/cli_support.h"
#include "cli/stop_signals.h"
#include "device/comms_log.h"
#include "device/display_unit.h"
#include "device/serial_device.h"
#include "device/shutdown_event.h"
#include "frameset/display_file.h"
#include "frameset/errors.h"

namespace kadr::cli {
namespace {

// Short enough that a packet is answered at once, long enough to take it in one read.
constexpr int kReadIntervalMs = 5;

void Complain(const std::string& port, const char* what, int error) {
    std::fprintf(stderr, "kadr: %s: %s: %s\n", port.c_str(), what, FormatLastError(error).c_str());
}

IoResult WriteAll(SerialDevice& device, const std::uint8_t* bytes, std::size_t count,
                  const ShutdownEvent& stop) {
    while (count > 0) {
        const IoResult result = device.Write(bytes, count, stop);
        if (result.status != IoResult::Status::Done) {
            return result;
        }
        bytes += result.count;
        count -= result.count;
    }
    return {};
}

}  // namespace

void ReportReceivedSet(const std::string& save, const FrameSet& set) {
    if (!save.empty()) {
        try {
            WriteDisplayFile(save, set);
        } catch (const FileError& e) {
            std::fprintf(stderr, "kadr: %s: %s\n", save.c_str(), e.what());
        }
    }
    std::printf("received %d frames\n", set.FrameCount());
    std::fflush(stdout);
}

int ServePort(const PortSimulation& options, StopSignals& stops) {
    const std::unique_ptr<SerialDevice> device = OpenSerialDevice(options.port);
    return ServeDevice(*device, options, stops);
}

int ServeDevice(SerialDevice& device, const PortSimulation& options, StopSignals& stops) {
    if (options.baud > 0) {
        LineSettings line;
        line.baud = static_cast<int>(options.baud);
        line.dataBits = 8;
        if (const int error = device.ApplyLineSettings(line); error != 0) {
            Complain(options.port, "cannot set the line", error);
        }
    }
    if (const int error = device.SetReadInterval(kReadIntervalMs); error != 0) {
        Complain(options.port, "cannot set the time-outs", error);
    }

    // The serving loop waits on the port and the shutdown event only; a stop signal sets it.
    ShutdownEvent stop;
    std::thread watcher([&] {
        while (!stop.IsSet()) {
            if (stops.WaitFor(std::chrono::milliseconds(100))) {
                stops.Take();
                stop.Set();
            }
        }
    });
    std::printf("port %s\n", options.port.c_str());
    std::fflush(stdout);

    int status = kExitOk;
    DisplayUnit unit;
    std::uint8_t buffer[4096];
    for (bool done = false; !done;) {
        const IoResult result = device.Read(buffer, sizeof buffer, stop);
        if (result.status == IoResult::Status::Shutdown) {
            break;
        }
        if (result.status == IoResult::Status::LineError) {
            continue;  // the uploader's time-out deals with what was lost
        }
        if (result.status != IoResult::Status::Done) {
            Complain(options.port, "cannot read", result.error);
            status = kExitFailed;
            break;
        }
        for (const DisplayUnit::Answer& answer : unit.Feed(buffer, result.count)) {
            if (answer.completed) {
                ReportReceivedSet(options.save, unit.Received());
            }
            const IoResult written =
                WriteAll(device, answer.reply.data(), answer.reply.size(), stop);
            if (written.status != IoResult::Status::Done) {
                // A stop request ends the wait for the line quietly; anything else means the
                // uploader never got its answer, which a caller of the simulator has to learn.
                if (written.status != IoResult::Status::Shutdown) {
                    Complain(options.port, "cannot write the reply", written.error);
                    status = kExitFailed;
                }
                done = true;
                break;
            }
            done = done || (answer.completed && options.once);
        }
    }
    if (status == kExitOk && options.once) {
        // The last reply must be on the wire before the port closes under it.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    stop.Set();
    watcher.join();
    return status;
}

}  // namespace kadr::cli
