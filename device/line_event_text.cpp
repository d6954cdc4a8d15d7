#include "device/line_event_text.h"

#include "device/serial_device.h"

namespace kadr {

std::string LineEventText(unsigned flags) {
    std::string description;
    const auto add = [&description](const char* word) {
        description += description.empty() ? word : std::string(" and ") + word;
    };
    if (flags == 0) {
        add("NULL Error");
    }
    if (flags & kLineErrorFrame) {
        add("CE_FRAME");
    }
    if (flags & kLineErrorOverrun) {
        add("CE_OVERRUN");
    }
    if (flags & kLineErrorParity) {
        add("CE_RXPARITY");
    }
    if (flags & ~(kLineErrorFrame | kLineErrorOverrun | kLineErrorParity)) {
        add("EV_ERR Unknown EvtMask");
    }
    return "Comm Event: " + description + ", EvtMask = " + std::to_string(flags);
}

}  // namespace kadr
