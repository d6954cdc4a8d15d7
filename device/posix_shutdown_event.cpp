#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

#include "device/shutdown_event.h"

namespace kadr {

ShutdownEvent::ShutdownEvent() : handle_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (handle_ < 0) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
}

ShutdownEvent::~ShutdownEvent() {
    close(handle_);
}

void ShutdownEvent::Set() {
    const std::uint64_t one = 1;
    // Nobody ever reads the counter, so it cannot overflow in practice and the event never resets.
    while (write(handle_, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

bool ShutdownEvent::IsSet() const {
    pollfd p{handle_, POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0;
}

}  // namespace kadr
