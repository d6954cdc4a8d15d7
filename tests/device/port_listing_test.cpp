// The real listing on this machine, against what sysfs says directly: a terminal with a device
// behind it is a serial port, except the 8250 driver's ttyS placeholders, whose UART type is 0.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "device/port_listing.h"

namespace kadr {
namespace {

std::set<std::string> PortsInSysfs() {
    std::set<std::string> ports;
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator("/sys/class/tty")) {
        const std::string name = entry.path().filename().string();
        if (!fs::exists(entry.path() / "device") || !fs::exists("/dev/" + name)) {
            continue;
        }
        int type = -1;
        std::ifstream(entry.path() / "type") >> type;
        if (name.starts_with("ttyS") && type == 0) {
            continue;
        }
        ports.insert("/dev/" + name);
    }
    return ports;
}

TEST(PortListing, ListsTheTerminalsWithHardwareBehindThem) {
    std::set<std::string> listed;
    for (const SystemPort& port : ListSystemPorts()) {
        EXPECT_EQ(port.name, port.device) << "Linux names a port by its device";
        listed.insert(port.device);
    }
    EXPECT_EQ(listed, PortsInSysfs());
}

}  // namespace
}  // namespace kadr
