#pragma once

namespace kadr {

// Log texts shared by both worker threads.
inline constexpr char kInvalidHandleLine[] =
    "ERROR_INVALID_HANDLE, Likely that the Service Provider has closed the port.";
inline constexpr char kUnexpectedWaitLine[] = "Unexpected Wait return value ";

}  // namespace kadr
