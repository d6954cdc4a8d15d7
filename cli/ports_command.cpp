#include "cli/ports_command.h"

#include <cstdio>
#include <string>

#include "cli/text_command.h"
#include "device/port_listing.h"
#include "device/port_settings.h"

namespace kadr::cli {
namespace {

std::string UsbIds(const SystemPort& port) {
    if (port.vendorId < 0 || port.productId < 0) {
        return {};
    }
    char ids[24];
    std::snprintf(ids, sizeof ids, "%04x:%04x", port.vendorId, port.productId);
    return ids;
}

std::string JsonId(int id) {
    return id < 0 ? std::string("null") : std::to_string(id);
}

}  // namespace

int RunPorts(const Args& args) {
    bool json = false;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else {
            throw UsageError("ports: unexpected argument '" + arg + "'");
        }
    }
    PortSettings stored;
    RestorePortSettings(stored);
    const std::string chosenDevice = PortDevice(stored.Port);
    const std::vector<SystemPort> ports = ListSystemPorts();
    bool chosenPresent = false;
    for (const SystemPort& port : ports) {
        chosenPresent = chosenPresent || port.device == chosenDevice;
    }

    if (json) {
        std::string list;
        for (const SystemPort& port : ports) {
            list += std::string(list.empty() ? "" : ",") + "{\"name\":" + JsonString(port.name) +
                    ",\"device\":" + JsonString(port.device) +
                    ",\"description\":" + JsonString(port.description) +
                    ",\"vendorId\":" + JsonId(port.vendorId) +
                    ",\"productId\":" + JsonId(port.productId) +
                    ",\"chosen\":" + (port.device == chosenDevice ? "true" : "false") + "}";
        }
        std::printf("{\"ports\":[%s],\"settings\":{\"port\":%s,\"device\":%s,\"present\":%s}}\n",
                    list.c_str(), JsonString(stored.Port).c_str(), JsonString(chosenDevice).c_str(),
                    chosenPresent ? "true" : "false");
        return kExitOk;
    }
    // One port a line: the mark of the chosen one, the name, the description, the USB ids.
    for (const SystemPort& port : ports) {
        std::string line = (port.device == chosenDevice ? "* " : "  ") + port.name;
        if (!port.description.empty()) {
            line += "  " + port.description;
        }
        if (const std::string ids = UsbIds(port); !ids.empty()) {
            line += "  usb " + ids;
        }
        std::printf("%s\n", line.c_str());
    }
    if (ports.empty()) {
        std::printf("no serial port present\n");
    }
    std::printf("settings: %s (%s), %s\n", stored.Port.c_str(), chosenDevice.c_str(),
                chosenPresent ? "present" : "not present");
    return kExitOk;
}

}  // namespace kadr::cli
