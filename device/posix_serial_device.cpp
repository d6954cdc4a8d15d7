#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "device/comms_error.h"
#include "device/line_config.h"
#include "device/port_names.h"
#include "device/serial_device.h"

namespace kadr {
namespace {

using Clock = std::chrono::steady_clock;

class PosixSerialDevice final : public SerialDevice {
  public:
    explicit PosixSerialDevice(int fd) : fd_(fd) {}

    ~PosixSerialDevice() override {
        // Exclusive use is a flag of the terminal, not of this descriptor: it would outlive us
        // while anyone else (a simulator, say) keeps the device open.
        ioctl(fd_, TIOCNXCL);
        close(fd_);
    }

    int ApplyLineSettings(const LineSettings& settings) override {
        return ConfigureLine(fd_, settings);
    }

    int SetReadInterval(int milliseconds) override {
        interval_ = std::chrono::milliseconds(milliseconds);
        return 0;
    }

    int SetDtr(bool on) override { return SetModemBit(TIOCM_DTR, on); }
    int SetRts(bool on) override { return SetModemBit(TIOCM_RTS, on); }

    int StartLineErrorWatch() override {
        if (ioctl(fd_, TIOCGICOUNT, &counts_) < 0) {
            watching_ = false;
            return errno;
        }
        watching_ = true;
        return 0;
    }

    IoResult Read(std::uint8_t* buffer, std::size_t capacity,
                  const ShutdownEvent& shutdown) override;
    IoResult Write(const std::uint8_t* bytes, std::size_t count,
                   const ShutdownEvent& shutdown) override;

    void PurgeReceive() override { tcflush(fd_, TCIFLUSH); }
    void PurgeTransmit() override { tcflush(fd_, TCOFLUSH); }

  private:
    enum class Wake { Port, Shutdown, Timeout, Failed };

    int SetModemBit(int bit, bool on) {
        return ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit) < 0 ? errno : 0;
    }

    // Waits for the port (events) or the shutdown event; a negative timeout waits without limit.
    Wake WaitFor(short events, const ShutdownEvent& shutdown, Clock::duration timeout, int& error) {
        for (;;) {
            pollfd fds[2] = {{fd_, events, 0}, {shutdown.Native(), POLLIN, 0}};
            timespec limit{};
            timespec* limitPtr = nullptr;
            if (timeout >= Clock::duration::zero()) {
                const auto ns =
                    std::chrono::duration_cast<std::chrono::nanoseconds>(timeout).count();
                limit.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
                limit.tv_nsec = static_cast<long>(ns % 1'000'000'000);
                limitPtr = &limit;
            }
            const int ready = ppoll(fds, 2, limitPtr, nullptr);
            if (ready < 0) {
                if (errno == EINTR) {
                    continue;
                }
                error = errno;
                return Wake::Failed;
            }
            if (fds[1].revents != 0) {
                return Wake::Shutdown;
            }
            if (fds[0].revents & POLLNVAL) {
                error = EBADF;
                return Wake::Failed;
            }
            return ready == 0 ? Wake::Timeout : Wake::Port;
        }
    }

    unsigned TakeLineErrors() {
        serial_icounter_struct now{};
        if (ioctl(fd_, TIOCGICOUNT, &now) < 0) {
            return 0;
        }
        unsigned flags = 0;
        flags |= now.frame != counts_.frame ? kLineErrorFrame : 0;
        flags |= now.overrun != counts_.overrun ? kLineErrorOverrun : 0;
        flags |= now.parity != counts_.parity ? kLineErrorParity : 0;
        flags |= now.buf_overrun != counts_.buf_overrun ? kLineErrorRxOver : 0;
        flags |= now.brk != counts_.brk ? kLineErrorBreak : 0;
        counts_ = now;
        return flags;
    }

    static IoResult Failure(int error) {
        IoResult result;
        result.status = error == EBADF ? IoResult::Status::InvalidHandle : IoResult::Status::Failed;
        result.error = error;
        return result;
    }

    static IoResult Status(IoResult::Status status, std::size_t count = 0) {
        IoResult result;
        result.status = status;
        result.count = count;
        return result;
    }

    int fd_;
    Clock::duration interval_ = std::chrono::milliseconds(40);
    bool watching_ = false;
    serial_icounter_struct counts_{};
};

IoResult PosixSerialDevice::Read(std::uint8_t* buffer, std::size_t capacity,
                                 const ShutdownEvent& shutdown) {
    std::size_t got = 0;
    Clock::time_point lastByte{};
    for (;;) {
        int error = 0;
        // Before the first byte there is no time limit; after it, the read ends once the line
        // has been silent for the interval.
        Clock::duration timeout = Clock::duration(-1);
        if (got > 0) {
            timeout = lastByte + interval_ - Clock::now();
            if (timeout < Clock::duration::zero()) {
                return Status(IoResult::Status::Done, got);
            }
        }
        switch (WaitFor(POLLIN, shutdown, timeout, error)) {
            case Wake::Shutdown:
                return Status(IoResult::Status::Shutdown);
            case Wake::Timeout:
                return Status(IoResult::Status::Done, got);
            case Wake::Failed:
                return Failure(error);
            case Wake::Port:
                break;
        }
        if (got == 0 && watching_) {
            if (const unsigned flags = TakeLineErrors(); flags != 0) {
                IoResult result = Status(IoResult::Status::LineError);
                result.lineErrors = flags;
                return result;
            }
        }
        const ssize_t n = read(fd_, buffer + got, capacity - got);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
            lastByte = Clock::now();
            if (got == capacity) {
                return Status(IoResult::Status::Done, got);
            }
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            continue;
        }
        // A hung-up line answers with end of file or EIO; what arrived before it still counts,
        // and the next read meets the error again.
        if (got > 0) {
            return Status(IoResult::Status::Done, got);
        }
        return Failure(n == 0 ? EIO : errno);
    }
}

IoResult PosixSerialDevice::Write(const std::uint8_t* bytes, std::size_t count,
                                  const ShutdownEvent& shutdown) {
    for (;;) {
        const ssize_t n = write(fd_, bytes, count);
        if (n > 0 || (n == 0 && count == 0)) {
            return Status(IoResult::Status::Done, static_cast<std::size_t>(n));
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN) {
            return Failure(errno);
        }
        int error = 0;
        switch (WaitFor(POLLOUT, shutdown, Clock::duration(-1), error)) {
            case Wake::Shutdown:
                return Status(IoResult::Status::Shutdown);
            case Wake::Failed:
                return Failure(error);
            case Wake::Timeout:
            case Wake::Port:
                break;
        }
    }
}

PortFailure OpenFailure(int error) {
    switch (error) {
        case ENOENT:
        case ENXIO:
        case ENODEV:
        case ENOTDIR:
            return PortFailure::Absent;
        case EACCES:
        case EPERM:
            return PortFailure::Denied;
        case EBUSY:  // a terminal opened exclusively by another program
            return PortFailure::Busy;
        default:
            return PortFailure::Other;
    }
}

}  // namespace

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& path) {
    // Non-blocking so that opening never waits for a carrier; every wait is a poll that the
    // shutdown event can end.
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw ECommsError("Error opening com port", OpenFailure(error), error);
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode) || !isatty(fd)) {
        close(fd);
        // The name leads somewhere, but to no serial port: for the user that port is not there.
        throw ECommsError("File handle is not a comm handle. ", PortFailure::Absent);
    }
    // The advisory lock keeps out every other opener that plays by the same rules, root
    // included; TIOCEXCL keeps out the rest, except root.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0) {
        const int error = errno;
        close(fd);
        throw ECommsError("Error opening com port", PortFailure::Busy, error);
    }
    return std::make_unique<PosixSerialDevice>(fd);
}

std::string DefaultComDevice(int number) {
    return "/dev/ttyS" + std::to_string(number - 1);
}

}  // namespace kadr
