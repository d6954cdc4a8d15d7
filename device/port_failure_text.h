#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "device/comms_error.h"
#include "device/port_listing.h"

namespace kadr {

// The line that follows "Error opening com port." for the user: what happened to the port named
// `label` (which opens `device`) and what to do about it, in Russian. A missing port is told
// with the ports that are there (`present`, less that port: a listing may still name a port
// whose device has gone), so that the user sees at once where the adapter went.
std::string PortFailureAdvice(PortFailure reason, int systemError, std::string_view label,
                              std::string_view device, const std::vector<SystemPort>& present);

}  // namespace kadr
