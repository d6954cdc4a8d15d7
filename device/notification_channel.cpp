#include "device/notification_channel.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

namespace kadr {

NotificationChannel::NotificationChannel(Handler handler)
    : handler_(std::move(handler)), fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (fd_ < 0) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Deliver(); });
}

NotificationChannel::~NotificationChannel() {
    notifier_.reset();
    close(fd_);
}

bool NotificationChannel::Post(Notification notification) {
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(std::move(notification));
    }
    const std::uint64_t one = 1;
    ssize_t written;
    do {
        written = write(fd_, &one, sizeof one);
    } while (written < 0 && errno == EINTR);
    return written == sizeof one;
}

void NotificationChannel::Deliver() {
    std::uint64_t counter = 0;
    while (read(fd_, &counter, sizeof counter) < 0 && errno == EINTR) {
    }
    // One at a time, unlocked while the handler runs: a handler may run a nested event loop
    // (a modal window) that delivers the following notifications, still in order.
    for (;;) {
        Notification next;
        {
            std::lock_guard lock(mutex_);
            if (pending_.empty()) {
                return;
            }
            next = std::move(pending_.front());
            pending_.pop_front();
        }
        handler_(next);
    }
}

}  // namespace kadr
