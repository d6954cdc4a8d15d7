#include "device/port_listing.h"

#include <algorithm>
#include <tuple>

#include "device/port_names.h"

namespace kadr {

void SortPorts(std::vector<SystemPort>& ports) {
    const auto key = [](const SystemPort& port) {
        const auto number = ComNumber(port.name);
        return std::make_tuple(!number.has_value(), number.value_or(0), port.name);
    };
    std::stable_sort(ports.begin(), ports.end(),
                     [&key](const SystemPort& a, const SystemPort& b) { return key(a) < key(b); });
}

}  // namespace kadr
