#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

#include "device/write_queue.h"

namespace kadr {

WriteQueue::WriteQueue() : input_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (input_ < 0) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
}

WriteQueue::~WriteQueue() {
    close(input_);
}

void WriteQueue::SignalInput() {
    const std::uint64_t one = 1;
    while (write(input_, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void WriteQueue::ResetInput() {
    std::uint64_t counter = 0;
    while (read(input_, &counter, sizeof counter) < 0 && errno == EINTR) {
    }
}

QueueWait WriteQueue::WaitForInput(const ShutdownEvent& shutdown) const {
    for (;;) {
        pollfd fds[2] = {{shutdown.Native(), POLLIN, 0}, {input_, POLLIN, 0}};
        const int ready = poll(fds, 2, -1);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0) {
            return {QueueWait::Kind::Failed, errno, 0};
        }
        if (fds[0].revents != 0) {
            return {QueueWait::Kind::Shutdown, 0, 0};
        }
        if (fds[1].revents != POLLIN) {
            return {QueueWait::Kind::Unexpected, 0, fds[1].revents};
        }
        return {QueueWait::Kind::Input, 0, 0};
    }
}

}  // namespace kadr
