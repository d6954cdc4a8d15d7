// <initguid.h> after <windows.h> and before <devguid.h>, so that the GUIDs <devguid.h> names
// are defined here rather than only declared; each in a block of its own keeps that order.
#include <windows.h>

#include <initguid.h>

#include <devguid.h>
#include <setupapi.h>

#include <charconv>
#include <set>
#include <string>
#include <string_view>

#include "device/port_listing.h"
#include "device/port_names.h"

namespace kadr {
namespace {

std::string Utf8(std::wstring_view text) {
    while (!text.empty() && text.back() == L'\0') {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

// A string value of an open key; empty when it is absent or no string.
std::wstring StringValue(HKEY key, const wchar_t* name) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        type != REG_SZ || bytes == 0) {
        return {};
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                         &bytes) != ERROR_SUCCESS) {
        return {};
    }
    value.resize(bytes / sizeof(wchar_t));
    return value;
}

std::wstring DeviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& info, DWORD property) {
    DWORD bytes = 0;
    SetupDiGetDeviceRegistryPropertyW(devices, &info, property, nullptr, nullptr, 0, &bytes);
    if (bytes == 0) {
        return {};
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    if (!SetupDiGetDeviceRegistryPropertyW(devices, &info, property, nullptr,
                                           reinterpret_cast<BYTE*>(value.data()), bytes, nullptr)) {
        return {};
    }
    return value;
}

// "USB\VID_1A86&PID_7523&REV_0264": the hexadecimal number after `tag`, -1 when there is none.
int HardwareId(const std::string& ids, std::string_view tag) {
    const std::size_t at = ids.find(tag);
    if (at == std::string::npos || ids.size() < at + tag.size() + 4) {
        return -1;
    }
    const char* first = ids.data() + at + tag.size();
    int value = -1;
    const auto [end, error] = std::from_chars(first, first + 4, value, 16);
    return error == std::errc{} && end == first + 4 ? value : -1;
}

SystemPort Port(const std::string& name) {
    SystemPort port;
    port.name = name;
    if (const auto number = ComNumber(name)) {
        port.device = DefaultComDevice(*number);
    } else {
        port.device = "\\\\.\\" + name;
    }
    return port;
}

// The ports of the device manager's class "Ports (COM & LPT)", with the names users see there.
// Wine lists none; nothing here may fail louder than that.
void AddDeviceManagerPorts(std::vector<SystemPort>& ports) {
    HDEVINFO devices = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) {
        return;
    }
    SP_DEVINFO_DATA info{};
    info.cbSize = sizeof info;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &info); ++index) {
        HKEY key = SetupDiOpenDevRegKey(devices, &info, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE) {
            continue;
        }
        const std::string name = Utf8(StringValue(key, L"PortName"));
        RegCloseKey(key);
        if (!ComNumber(name)) {
            continue;  // a printer port of the same class, or no port at all
        }
        SystemPort port = Port(name);
        port.description = Utf8(DeviceProperty(devices, info, SPDRP_FRIENDLYNAME));
        const std::string ids = Utf8(DeviceProperty(devices, info, SPDRP_HARDWAREID));
        port.vendorId = HardwareId(ids, "VID_");
        port.productId = HardwareId(ids, "PID_");
        ports.push_back(std::move(port));
    }
    SetupDiDestroyDeviceInfoList(devices);
}

// Every COM port Windows has started a driver for (virtual pairs too), as "\Device\Serial0" =
// "COM1"; wine lists its configured ports here.
void AddSerialCommPorts(std::vector<SystemPort>& ports) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return;
    }
    std::set<std::string> known;
    for (const SystemPort& port : ports) {
        known.insert(port.name);
    }
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[256];
        DWORD nameLength = 256;
        wchar_t data[256];
        DWORD dataBytes = sizeof data;
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, index, valueName, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataBytes);
        if (result == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (result != ERROR_SUCCESS || type != REG_SZ) {
            continue;
        }
        const std::string name = Utf8(std::wstring_view(data, dataBytes / sizeof(wchar_t)));
        if (!name.empty() && known.insert(name).second) {
            ports.push_back(Port(name));
        }
    }
    RegCloseKey(key);
}

}  // namespace

std::vector<SystemPort> ListSystemPorts() {
    std::vector<SystemPort> ports;
    AddDeviceManagerPorts(ports);
    AddSerialCommPorts(ports);
    SortPorts(ports);
    return ports;
}

}  // namespace kadr
