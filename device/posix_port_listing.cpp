#include <libudev.h>

#include <algorithm>
#include <charconv>
#include <memory>
#include <string>
#include <string_view>

#include "device/port_listing.h"

namespace kadr {
namespace {

template <typename T, T* (*Unref)(T*)>
struct Unreffer {
    void operator()(T* object) const { Unref(object); }
};
using Udev = std::unique_ptr<udev, Unreffer<udev, udev_unref>>;
using Enumerate = std::unique_ptr<udev_enumerate, Unreffer<udev_enumerate, udev_enumerate_unref>>;
using Device = std::unique_ptr<udev_device, Unreffer<udev_device, udev_device_unref>>;

std::string Text(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

std::string Property(udev_device* device, const char* name) {
    return Text(udev_device_get_property_value(device, name));
}

int HexId(const std::string& text) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return error == std::errc{} && end == text.data() + text.size() ? value : -1;
}

// udev's own names carry underscores for spaces ("FT232R_USB_UART").
std::string Spaced(std::string text) {
    std::replace(text.begin(), text.end(), '_', ' ');
    return text;
}

// The 8250 driver makes /dev/ttyS0..ttyS31 whether or not a UART is there; the port's UART type
// tells the real ones (0: none). Read from sysfs, so that listing never opens a port: opening
// one would raise its modem lines under whatever holds it.
bool HasUart(udev_device* device) {
    const char* type = udev_device_get_sysattr_value(device, "type");
    return type != nullptr && std::string_view(type) != "0";
}

std::string Description(udev_device* device) {
    std::string vendor = Property(device, "ID_VENDOR_FROM_DATABASE");
    std::string model = Property(device, "ID_MODEL_FROM_DATABASE");
    if (vendor.empty()) {
        vendor = Spaced(Property(device, "ID_VENDOR"));
    }
    if (model.empty()) {
        model = Spaced(Property(device, "ID_MODEL"));
    }
    if (vendor.empty() || model.empty()) {
        return vendor + model;
    }
    return vendor + " " + model;
}

}  // namespace

std::vector<SystemPort> ListSystemPorts() {
    std::vector<SystemPort> ports;
    const Udev context(udev_new());
    if (!context) {
        return ports;
    }
    const Enumerate enumerate(udev_enumerate_new(context.get()));
    if (!enumerate || udev_enumerate_add_match_subsystem(enumerate.get(), "tty") < 0 ||
        udev_enumerate_scan_devices(enumerate.get()) < 0) {
        return ports;
    }
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
        const Device device(
            udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
        if (!device) {
            continue;
        }
        const std::string node = Text(udev_device_get_devnode(device.get()));
        // Virtual terminals, pseudo-terminals and the console have no device with a driver
        // behind them; a serial port always has (usb-serial, cdc_acm, serial8250, pnp...).
        udev_device* parent = udev_device_get_parent(device.get());
        if (node.empty() || parent == nullptr || udev_device_get_driver(parent) == nullptr) {
            continue;
        }
        if (Text(udev_device_get_sysname(device.get())).starts_with("ttyS") &&
            !HasUart(device.get())) {
            continue;
        }
        SystemPort port;
        port.name = node;
        port.device = node;
        port.description = Description(device.get());
        port.vendorId = HexId(Property(device.get(), "ID_VENDOR_ID"));
        port.productId = HexId(Property(device.get(), "ID_MODEL_ID"));
        ports.push_back(std::move(port));
    }
    SortPorts(ports);
    return ports;
}

}  // namespace kadr
