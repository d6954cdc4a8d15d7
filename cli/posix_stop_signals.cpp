#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "cli/stop_signals.h"

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
    handle_ = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    if (handle_ < 0) {
        throw std::system_error(errno, std::generic_category(), "signalfd");
    }
}

StopSignals::~StopSignals() {
    close(handle_);
    const sigset_t set = StopSet();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

bool StopSignals::WaitFor(std::chrono::milliseconds limit) const {
    pollfd p{handle_, POLLIN, 0};
    return poll(&p, 1, static_cast<int>(limit.count())) > 0 && (p.revents & POLLIN) != 0;
}

bool StderrIsTerminal() {
    return isatty(STDERR_FILENO) != 0;
}

bool StopSignals::Take() {
    signalfd_siginfo info{};
    return read(handle_, &info, sizeof info) == static_cast<ssize_t>(sizeof info);
}

}  // namespace kadr::cli
