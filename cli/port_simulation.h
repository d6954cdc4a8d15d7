#pragma once

#include <string>

#include "frameset/frame_set.h"

namespace kadr {
class SerialDevice;
}

namespace kadr::cli {

class StopSignals;

struct PortSimulation {
    std::string port;  // a device path, or COM1.. / \\.\COM1.. on Windows
    long long baud = 56000;
    std::string save;  // where each received frame set goes; empty: nowhere
    bool once = false;
};

// The virtual display unit on a named serial port (on Windows, one end of a null-modem pair,
// since there are no pseudo-terminals there): every packet is answered as soon as it is in,
// and the line itself sets the pace. Runs until a stop signal, or after one upload with
// `once`. Throws ECommsError when the port cannot be opened.
// A reply that cannot be written ends the run with kExitFailed, as a read error does.
int ServePort(const PortSimulation& options, StopSignals& stops);
// ServePort on a device already open (`options.port` only names it in messages).
int ServeDevice(SerialDevice& device, const PortSimulation& options, StopSignals& stops);

// What the virtual display unit, on a port or a pseudo-terminal, does with each frame set it has
// received: saved to `save` (empty: nowhere) before it is announced as "received N frames", so
// a reader of stdout finds the file complete. A file that cannot be written is complained about
// and the unit goes on.
void ReportReceivedSet(const std::string& save, const FrameSet& set);

}  // namespace kadr::cli
