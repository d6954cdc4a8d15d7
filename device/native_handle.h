#pragma once

namespace kadr {

// What the system hands out for an open file, event or descriptor, spelled without its headers
// so that the classes holding one keep the platform out of their users.
#if defined(_WIN32)
using NativeHandle = void*;  // HANDLE
#else
using NativeHandle = int;  // file descriptor
#endif

}  // namespace kadr
