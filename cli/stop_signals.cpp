#include "cli/stop_signals.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace kadr::cli {
namespace {

sigset_t StopSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

}  // namespace

StopSignals::StopSignals() {
    const sigset_t set = StopSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    fd_ = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    if (fd_ < 0) {
        throw std::system_error(errno, std::generic_category(), "signalfd");
    }
}

StopSignals::~StopSignals() {
    close(fd_);
    const sigset_t set = StopSet();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

bool StopSignals::WaitFor(std::chrono::milliseconds limit) const {
    pollfd p{fd_, POLLIN, 0};
    return poll(&p, 1, static_cast<int>(limit.count())) > 0 && (p.revents & POLLIN) != 0;
}

bool StopSignals::Take() {
    signalfd_siginfo info{};
    return read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info);
}

}  // namespace kadr::cli
