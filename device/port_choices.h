#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/port_listing.h"
#include "device/port_names.h"

namespace kadr {

// One port the user can choose, as the port box lists it.
struct PortItem {
    std::string choice;  // what the settings keep: "Com3", "Com7", "/dev/ttyUSB0"
    std::string label;   // "Com3", "COM7", "/dev/ttyUSB0"
    std::string device;  // what it opens
    std::string name;    // the system's name of a present port ("COM7"), else empty
    std::string description;
    bool present = false;

    // "COM7 — USB-SERIAL CH340 (COM7)", "Com1 — подключён", "Com2 (нет)".
    std::string Text() const;
};

// The port box's items: "Com1".."Com4" first and in order, whether there or not, then every
// other port present, then the chosen port when it is none of these (so that it still shows,
// marked as not there). A present port is matched to ComN by the device ComN opens, so an
// adapter that Com1Device names is Com1.
std::vector<PortItem> PortItems(const std::vector<SystemPort>& present, const PortMap& map,
                                std::string_view chosen);

// The item typed text names: an item's text, its choice in any letter case ("com7", "COM7"),
// its device or its system name. Nothing when it names none of them: the choice stays as it is.
std::optional<std::size_t> ItemNamedBy(const std::vector<PortItem>& items, std::string_view typed);

// The port to offer in place of the chosen one: the only one present, when the chosen one is
// not there. Nothing in every other case.
std::optional<std::size_t> LonePresentPort(const std::vector<PortItem>& items,
                                           std::string_view chosen);

// A present port in a sentence: "COM3 (USB-SERIAL CH340)", without the "(COM3)" Windows puts
// at the end of the name it shows.
std::string PortInWords(const SystemPort& port);

}  // namespace kadr
