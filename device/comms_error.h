#pragma once

#include "frameset/errors.h"

namespace kadr {

// Raised only while a port is being opened; everything that goes wrong later reaches the
// owner through the log and hangup requests.
class ECommsError : public Error {
  public:
    using Error::Error;
};

}  // namespace kadr
