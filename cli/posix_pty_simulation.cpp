#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <string>
#include <system_error>

#include "cli/cli_support.h"
#include "cli/port_simulation.h"
#include "cli/pty_simulation.h"
#include "cli/stop_signals.h"
#include "device/display_unit.h"
#include "device/pseudo_terminal.h"
#include "frameset/errors.h"

namespace kadr::cli {
namespace {

using Clock = std::chrono::steady_clock;

// A pseudo-terminal moves bytes at memory speed whatever its settings, so the simulated line
// keeps its own clock in each direction: a byte takes 10 bit times (start, 8 data, stop).
class PacedLine {
  public:
    explicit PacedLine(long long baud)
        : byteTime_(baud > 0 ? std::chrono::duration_cast<Clock::duration>(
                                   std::chrono::duration<double>(10.0 / static_cast<double>(baud)))
                             : Clock::duration::zero()) {}

    // Bytes read at `now`: when byte `index` of them would have arrived.
    Clock::time_point Arrival(Clock::time_point now, std::size_t index) const {
        return std::max(receiveFree_, now) + byteTime_ * static_cast<long>(index + 1);
    }
    void Received(Clock::time_point now, std::size_t count) {
        receiveFree_ = Arrival(now, count - 1);
    }

    // A reply ready at `ready` leaves once the line is free and has arrived when its last byte has.
    Clock::time_point Send(Clock::time_point ready, std::size_t count) {
        sendFree_ = std::max(sendFree_, ready) + byteTime_ * static_cast<long>(count);
        return sendFree_;
    }

  private:
    Clock::duration byteTime_;
    Clock::time_point receiveFree_{};
    Clock::time_point sendFree_{};
};

struct ScheduledReply {
    Clock::time_point due;
    Reply bytes;
    bool last = false;  // the reply that ends an upload
};

class Simulator {
  public:
    explicit Simulator(const PtySimulation& options) : options_(options), line_(options.baud) {}

    int Run() {
        if (!options_.link.empty()) {
            MakeLink();
        }
        std::printf("port %s\n", terminal_.SlavePath().c_str());
        std::fflush(stdout);
        int status = Serve();
        if (!options_.link.empty()) {
            std::error_code ignored;
            std::filesystem::remove(options_.link, ignored);
        }
        return status;
    }

  private:
    void MakeLink() {
        std::error_code ec;
        if (std::filesystem::is_symlink(options_.link, ec)) {
            std::filesystem::remove(options_.link, ec);
        }
        std::filesystem::create_symlink(terminal_.SlavePath(), options_.link, ec);
        if (ec) {
            throw Error(options_.link + ": cannot make the link: " + ec.message());
        }
    }

    int Serve() {
        for (;;) {
            timespec timeout{};
            timespec* limit = nullptr;
            if (!replies_.empty()) {
                const auto wait =
                    std::max(Clock::duration::zero(), replies_.front().due - Clock::now());
                const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
                timeout.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
                timeout.tv_nsec = static_cast<long>(ns % 1'000'000'000);
                limit = &timeout;
            }
            pollfd fds[2] = {{terminal_.MasterFd(), POLLIN, 0}, {signals_.Native(), POLLIN, 0}};
            if (ppoll(fds, 2, limit, nullptr) < 0 && errno != EINTR) {
                throw std::system_error(errno, std::generic_category(), "poll");
            }
            if (fds[1].revents != 0) {
                signals_.Take();
                return kExitOk;
            }
            if (fds[0].revents & POLLIN) {
                Receive();
            } else if (fds[0].revents & (POLLHUP | POLLERR)) {
                // Only when nobody holds the slave; cannot happen while we hold it ourselves.
                usleep(10'000);
            }
            if (SendDueReplies()) {
                return kExitOk;
            }
        }
    }

    void Receive() {
        std::uint8_t buffer[4096];
        const ssize_t n = read(terminal_.MasterFd(), buffer, sizeof buffer);
        if (n <= 0) {
            return;
        }
        const Clock::time_point now = Clock::now();
        for (const DisplayUnit::Answer& answer : unit_.Feed(buffer, static_cast<std::size_t>(n))) {
            ScheduledReply reply;
            reply.due = line_.Send(line_.Arrival(now, answer.lastByte), answer.reply.size());
            reply.bytes = answer.reply;
            reply.last = answer.completed;
            if (answer.completed) {
                ReportReceivedSet(options_.save, unit_.Received());
            }
            replies_.push_back(reply);
        }
        line_.Received(now, static_cast<std::size_t>(n));
    }

    // True when --once is done.
    bool SendDueReplies() {
        while (!replies_.empty() && replies_.front().due <= Clock::now()) {
            const ScheduledReply reply = replies_.front();
            replies_.pop_front();
            WriteAll(reply.bytes.data(), reply.bytes.size());
            if (reply.last && options_.once) {
                AwaitHangup();
                return true;
            }
        }
        return false;
    }

    void WriteAll(const std::uint8_t* bytes, std::size_t count) {
        while (count > 0) {
            const ssize_t n = write(terminal_.MasterFd(), bytes, count);
            if (n > 0) {
                bytes += n;
                count -= static_cast<std::size_t>(n);
            } else if (n < 0 && errno == EAGAIN) {
                pollfd out{terminal_.MasterFd(), POLLOUT, 0};
                poll(&out, 1, 100);
            } else if (n < 0 && errno != EINTR) {
                return;  // the other side is gone; nothing is waiting for the reply
            }
        }
    }

    // The last reply must reach the uploader before the master goes away: wait until it has
    // closed the port (the master then sees a hangup), at most a few seconds.
    void AwaitHangup() {
        terminal_.CloseSlave();
        const Clock::time_point limit = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < limit) {
            pollfd fds[2] = {{terminal_.MasterFd(), POLLIN, 0}, {signals_.Native(), POLLIN, 0}};
            if (poll(fds, 2, 50) > 0) {
                if (fds[1].revents != 0 || (fds[0].revents & (POLLHUP | POLLERR))) {
                    return;
                }
                // Whatever comes after the last reply is dropped; glibc's fortified read() insists
                // on its result being taken, even so.
                std::uint8_t discard[256];
                [[maybe_unused]] const ssize_t dropped =
                    read(terminal_.MasterFd(), discard, sizeof discard);
            }
        }
    }

    PtySimulation options_;
    StopSignals signals_;
    PseudoTerminal terminal_;
    DisplayUnit unit_;
    PacedLine line_;
    std::deque<ScheduledReply> replies_;
};

}  // namespace

int ServePseudoTerminal(const PtySimulation& options) {
    Simulator simulator(options);
    return simulator.Run();
}

}  // namespace kadr::cli
