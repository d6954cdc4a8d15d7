#pragma once

#include "frameset/errors.h"

namespace kadr {

// Why a port did not open, as far as the system tells: what the user can do about it differs.
enum class PortFailure {
    Other,
    Absent,  // no such device: unplugged, or another number
    Busy,    // another program holds it
    Denied,  // the user may not open it (on Linux: not in the group dialout)
};

// Raised only while a port is being opened; everything that goes wrong later reaches the
// owner through the log and hangup requests. The message stays the component's fixed English
// text; the reason and the system's error number are for the words that explain it.
class ECommsError : public Error {
  public:
    explicit ECommsError(const std::string& message, PortFailure reason = PortFailure::Other,
                         int systemError = 0)
        : Error(message), reason_(reason), systemError_(systemError) {}

    PortFailure Reason() const { return reason_; }
    int SystemError() const { return systemError_; }

  private:
    PortFailure reason_;
    int systemError_;
};

}  // namespace kadr
