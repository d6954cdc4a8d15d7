#pragma once

#include "device/serial_device.h"

namespace kadr {

// Line settings through Linux's termios2 interface, which takes any speed as a number
// (14400, 56000, 128000 and 256000 have no B-constant). Kept apart because its kernel header
// cannot share a translation unit with <termios.h>. Each returns 0 or an errno value.
int ConfigureLine(int fd, const LineSettings& settings);
// The speed the device reports for its output side, for checks.
int ReadLineSpeed(int fd, int& baud);

}  // namespace kadr
