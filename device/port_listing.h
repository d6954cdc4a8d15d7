#pragma once

#include <string>
#include <vector>

namespace kadr {

// A serial port the system has at this moment.
struct SystemPort {
    std::string name;         // as the system names it to users: "COM7", "/dev/ttyUSB0"
    std::string device;       // what opens it: "\\.\COM7", "/dev/ttyUSB0"
    std::string description;  // "USB-SERIAL CH340 (COM7)", "FTDI FT232R USB UART"; may be empty
    int vendorId = -1;        // the USB adapter's ids, -1 where not known
    int productId = -1;

    bool operator==(const SystemPort&) const = default;
};

// Every serial port the system knows, in a steady order (COM ports by number, then by name):
// on Windows the ports of the device manager and those in HARDWARE\DEVICEMAP\SERIALCOMM, on
// Linux the terminals udev knows with hardware behind them. Never throws; a system that cannot
// tell gives what it can, at worst nothing. Quick enough to call from a window's thread, but it
// asks the system each time: a dialog that refreshes calls it off that thread.
std::vector<SystemPort> ListSystemPorts();

// Orders ports as ListSystemPorts gives them: COM numbers ascending, other names after them.
void SortPorts(std::vector<SystemPort>& ports);

}  // namespace kadr
