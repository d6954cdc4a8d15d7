#include "device/shutdown_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

namespace kadr {

ShutdownEvent::ShutdownEvent() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (fd_ < 0) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
}

ShutdownEvent::~ShutdownEvent() {
    close(fd_);
}

void ShutdownEvent::Set() {
    const std::uint64_t one = 1;
    // Nobody ever reads the counter, so it cannot overflow in practice and the event never resets.
    while (write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

bool ShutdownEvent::IsSet() const {
    pollfd p{fd_, POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0;
}

}  // namespace kadr
