#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "device/comms_error.h"
#include "device/port_names.h"
#include "device/serial_device.h"

namespace kadr {
namespace {

// One overlapped record with its own manual-reset event, created signalled.
struct Overlapped {
    OVERLAPPED record{};
    bool pending = false;

    Overlapped() { record.hEvent = CreateEventA(nullptr, TRUE, TRUE, nullptr); }
    ~Overlapped() {
        if (record.hEvent != nullptr) {
            CloseHandle(record.hEvent);
        }
    }
    Overlapped(const Overlapped&) = delete;
    Overlapped& operator=(const Overlapped&) = delete;

    bool Valid() const { return record.hEvent != nullptr; }
    HANDLE Event() const { return record.hEvent; }
};

IoResult Status(IoResult::Status status, std::size_t count = 0) {
    IoResult result;
    result.status = status;
    result.count = count;
    return result;
}

IoResult Failure(DWORD error) {
    IoResult result;
    result.status =
        error == ERROR_INVALID_HANDLE ? IoResult::Status::InvalidHandle : IoResult::Status::Failed;
    result.error = static_cast<int>(error);
    return result;
}

class Win32SerialDevice final : public SerialDevice {
  public:
    explicit Win32SerialDevice(HANDLE port) : port_(port) {}

    ~Win32SerialDevice() override {
        // An overlapped record must outlive its operation: a worker that ended on an error
        // may have left one running.
        Cancel(read_);
        Cancel(lineEvent_);
        Cancel(write_);
        CloseHandle(port_);
    }

    bool Valid() const { return read_.Valid() && lineEvent_.Valid() && write_.Valid(); }

    int ApplyLineSettings(const LineSettings& settings) override {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (!GetCommState(port_, &dcb)) {
            return static_cast<int>(GetLastError());
        }
        dcb.BaudRate = static_cast<DWORD>(settings.baud);
        dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
        dcb.Parity = static_cast<BYTE>(settings.parity);      // NOPARITY..SPACEPARITY
        dcb.StopBits = static_cast<BYTE>(settings.stopBits);  // ONESTOPBIT..TWOSTOPBITS
        return SetCommState(port_, &dcb) ? 0 : static_cast<int>(GetLastError());
    }

    int SetReadInterval(int milliseconds) override {
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = static_cast<DWORD>(milliseconds);
        return SetCommTimeouts(port_, &timeouts) ? 0 : static_cast<int>(GetLastError());
    }

    int SetDtr(bool on) override { return Escape(on ? SETDTR : CLRDTR); }
    int SetRts(bool on) override { return Escape(on ? SETRTS : CLRRTS); }

    int StartLineErrorWatch() override {
        watching_ = SetCommMask(port_, EV_ERR) != 0;
        return watching_ ? 0 : static_cast<int>(GetLastError());
    }

    IoResult Read(std::uint8_t* buffer, std::size_t capacity,
                  const ShutdownEvent& shutdown) override;
    IoResult Write(const std::uint8_t* bytes, std::size_t count,
                   const ShutdownEvent& shutdown) override;

    // Purging aborts a pending operation on Windows' own drivers; cancelling it as well ends
    // it where a driver (or wine) does not.
    void PurgeReceive() override {
        PurgeComm(port_, PURGE_RXABORT | PURGE_RXCLEAR);
        CancelIoEx(port_, &read_.record);
        CancelIoEx(port_, &lineEvent_.record);
    }
    void PurgeTransmit() override {
        PurgeComm(port_, PURGE_TXABORT | PURGE_TXCLEAR);
        CancelIoEx(port_, &write_.record);
    }

  private:
    int Escape(DWORD function) {
        return EscapeCommFunction(port_, function) ? 0 : static_cast<int>(GetLastError());
    }

    // Ends a pending operation and waits for it, so its record and buffer may be reused.
    void Cancel(Overlapped& op) {
        if (op.pending) {
            if (&op == &lineEvent_) {
                // A pending WaitCommEvent ends when the mask changes; wine cannot cancel it.
                SetCommMask(port_, 0);
                watching_ = false;
            }
            CancelIoEx(port_, &op.record);
            DWORD ignored = 0;
            GetOverlappedResult(port_, &op.record, &ignored, TRUE);
            op.pending = false;
        }
    }

    IoResult TakeLineErrors() {
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(port_, &errors, &status)) {
            return Failure(GetLastError());
        }
        IoResult result = Status(IoResult::Status::LineError);
        result.lineErrors = static_cast<unsigned>(errors);
        return result;
    }

    IoResult TakeRead(std::uint8_t* buffer, std::size_t capacity, DWORD got) {
        got = std::min<DWORD>(got, static_cast<DWORD>(capacity));
        std::memcpy(buffer, received_.data(), got);
        return Status(IoResult::Status::Done, got);
    }

    HANDLE port_;
    bool watching_ = false;
    // A read stays pending across calls (a line error may end a call first), so it fills a
    // buffer of the device's own rather than the caller's.
    std::vector<std::uint8_t> received_;
    Overlapped read_;
    Overlapped lineEvent_;
    DWORD eventMask_ = 0;
    Overlapped write_;
};

IoResult Win32SerialDevice::Read(std::uint8_t* buffer, std::size_t capacity,
                                 const ShutdownEvent& shutdown) {
    for (;;) {
        if (!read_.pending) {
            received_.resize(capacity);
            DWORD got = 0;
            if (ReadFile(port_, received_.data(), static_cast<DWORD>(capacity), &got,
                         &read_.record)) {
                return TakeRead(buffer, capacity, got);
            }
            if (const DWORD error = GetLastError(); error != ERROR_IO_PENDING) {
                return Failure(error);
            }
            read_.pending = true;
        }
        if (watching_ && !lineEvent_.pending) {
            eventMask_ = 0;
            if (WaitCommEvent(port_, &eventMask_, &lineEvent_.record)) {
                if ((eventMask_ & EV_ERR) != 0) {
                    return TakeLineErrors();
                }
                continue;
            }
            if (const DWORD error = GetLastError(); error != ERROR_IO_PENDING) {
                return Failure(error);
            }
            lineEvent_.pending = true;
        }

        // The first signalled handle is reported: shutdown wins, then the line event.
        HANDLE handles[3] = {shutdown.Native(), read_.Event(), nullptr};
        DWORD count = 2;
        if (watching_) {
            handles[1] = lineEvent_.Event();
            handles[2] = read_.Event();
            count = 3;
        }
        const DWORD woke = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
        if (woke == WAIT_FAILED) {
            return Failure(GetLastError());
        }
        if (woke == WAIT_OBJECT_0) {
            Cancel(read_);
            Cancel(lineEvent_);
            return Status(IoResult::Status::Shutdown);
        }
        if (woke >= WAIT_OBJECT_0 + count) {
            return Failure(woke);
        }
        DWORD transferred = 0;
        if (handles[woke - WAIT_OBJECT_0] == lineEvent_.Event()) {
            lineEvent_.pending = false;
            if (!GetOverlappedResult(port_, &lineEvent_.record, &transferred, FALSE)) {
                return Failure(GetLastError());
            }
            if ((eventMask_ & EV_ERR) != 0) {
                return TakeLineErrors();
            }
            continue;  // not a line error (the mask changed under the wait): wait again
        }
        read_.pending = false;
        if (!GetOverlappedResult(port_, &read_.record, &transferred, FALSE)) {
            return Failure(GetLastError());
        }
        return TakeRead(buffer, capacity, transferred);
    }
}

IoResult Win32SerialDevice::Write(const std::uint8_t* bytes, std::size_t count,
                                  const ShutdownEvent& shutdown) {
    DWORD written = 0;
    if (!WriteFile(port_, bytes, static_cast<DWORD>(count), &written, &write_.record)) {
        if (const DWORD error = GetLastError(); error != ERROR_IO_PENDING) {
            return Failure(error);
        }
        write_.pending = true;
        HANDLE handles[2] = {shutdown.Native(), write_.Event()};
        const DWORD woke = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (woke == WAIT_OBJECT_0) {
            Cancel(write_);
            return Status(IoResult::Status::Shutdown);
        }
        if (woke != WAIT_OBJECT_0 + 1) {
            Cancel(write_);
            return Failure(woke == WAIT_FAILED ? GetLastError() : woke);
        }
        write_.pending = false;
        if (!GetOverlappedResult(port_, &write_.record, &written, TRUE)) {
            return Failure(GetLastError());
        }
    }
    // Without write time-outs a write ends only when all is sent; nothing sent would make the
    // writer try forever.
    if (written == 0 && count > 0) {
        return Failure(ERROR_WRITE_FAULT);
    }
    return Status(IoResult::Status::Done, written);
}

// A port held by another program answers "access denied": Windows opens a COM port for one
// handle at a time.
PortFailure OpenFailure(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_UNIT:
        case ERROR_DEV_NOT_EXIST:
            return PortFailure::Absent;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_BUSY:
            return PortFailure::Busy;
        default:
            return PortFailure::Other;
    }
}

}  // namespace

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& path) {
    HANDLE port = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        throw ECommsError("Error opening com port", OpenFailure(error), static_cast<int>(error));
    }
    if (GetFileType(port) != FILE_TYPE_CHAR) {
        CloseHandle(port);
        // The name leads somewhere, but to no serial port: for the user that port is not there.
        throw ECommsError("File handle is not a comm handle. ", PortFailure::Absent);
    }
    auto device = std::make_unique<Win32SerialDevice>(port);
    if (!device->Valid()) {
        throw ECommsError("Error opening com port");  // no events for its overlapped I/O
    }
    return device;
}

std::string DefaultComDevice(int number) {
    return "\\\\.\\COM" + std::to_string(number);
}

}  // namespace kadr
