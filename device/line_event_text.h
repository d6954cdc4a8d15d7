#pragma once

#include <string>

namespace kadr {

// The text a line-error event hands to the receive handler in place of data, for example
// "Comm Event: CE_FRAME, EvtMask = 8". Flags are the kLineError* values.
std::string LineEventText(unsigned flags);

}  // namespace kadr
