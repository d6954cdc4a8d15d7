#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "device/comm_types.h"
#include "device/shutdown_event.h"

namespace kadr {

struct LineSettings {
    int baud = 110;
    int dataBits = 8;
    TParity parity = TParity::None;
    TStopBits stopBits = TStopBits::_1;
};

// Line-error flags as the component reports them (the values Windows uses for them).
inline constexpr unsigned kLineErrorRxOver = 0x01;
inline constexpr unsigned kLineErrorOverrun = 0x02;
inline constexpr unsigned kLineErrorParity = 0x04;
inline constexpr unsigned kLineErrorFrame = 0x08;
inline constexpr unsigned kLineErrorBreak = 0x10;

struct IoResult {
    enum class Status {
        Done,           // count bytes moved
        Shutdown,       // the shutdown event ended the wait; nothing is delivered
        LineError,      // line errors counted since the last look (flags); no bytes taken
        InvalidHandle,  // the handle is gone
        Failed,         // error holds the system's error number
    };
    Status status = Status::Done;
    std::size_t count = 0;
    int error = 0;
    unsigned lineErrors = 0;
};

// The narrow port layer the serial component works through: termios on POSIX systems,
// overlapped comm I/O on Windows. The reader thread calls Read, the writer thread calls Write,
// the main thread everything else (the purges also from the thread that ends); a device needs
// no other locking than that split. Error numbers are the system's own (errno, GetLastError).
class SerialDevice {
  public:
    virtual ~SerialDevice() = default;

    // Speed, data bits, parity and stop bits, with the line made raw; other settings stay as
    // the port had them. Returns 0 or an error number.
    virtual int ApplyLineSettings(const LineSettings& settings) = 0;
    // A read completes after this much silence following a byte; no other time-outs.
    // Returns 0 or an error number.
    virtual int SetReadInterval(int milliseconds) = 0;
    // 0 or an error number (ENOTTY: the device has no modem lines).
    virtual int SetDtr(bool on) = 0;
    virtual int SetRts(bool on) = 0;
    // 0 when the driver counts line errors, else the error number of the refusal (watching off).
    virtual int StartLineErrorWatch() = 0;
    // Waits without limit for the first byte, then until the line has been silent for the read
    // interval or the buffer is full. A line error ends the wait before any byte arrives.
    virtual IoResult Read(std::uint8_t* buffer, std::size_t capacity,
                          const ShutdownEvent& shutdown) = 0;
    // Writes as much as the device takes, waiting while it takes nothing.
    virtual IoResult Write(const std::uint8_t* bytes, std::size_t count,
                           const ShutdownEvent& shutdown) = 0;
    virtual void PurgeReceive() = 0;
    virtual void PurgeTransmit() = 0;
};

// Opens a serial device for this process alone. Throws ECommsError.
std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& path);

}  // namespace kadr
