#include <sys/eventfd.h>
#include <unistd.h>

#include <QObject>
#include <QSocketNotifier>
#include <cerrno>
#include <cstdint>
#include <deque>
#include <mutex>
#include <system_error>

#include "device/notification_channel.h"

namespace kadr {

// The wake-up goes through an eventfd so that every hand-over is visible to the thread
// sanitizer, not only to Qt's internals.
struct NotificationChannel::Native {
    Handler handler;
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    std::mutex mutex;
    std::deque<Notification> pending;

    void Deliver() {
        std::uint64_t counter = 0;
        while (read(fd, &counter, sizeof counter) < 0 && errno == EINTR) {
        }
        // One at a time, unlocked while the handler runs: a handler may run a nested event
        // loop (a modal window) that delivers the following notifications, still in order.
        for (;;) {
            Notification next;
            {
                std::lock_guard lock(mutex);
                if (pending.empty()) {
                    return;
                }
                next = std::move(pending.front());
                pending.pop_front();
            }
            handler(next);
        }
    }
};

NotificationChannel::NotificationChannel(Handler handler) : native_(std::make_unique<Native>()) {
    native_->handler = std::move(handler);
    native_->fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (native_->fd < 0) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
    native_->notifier = std::make_unique<QSocketNotifier>(native_->fd, QSocketNotifier::Read);
    Native* native = native_.get();
    QObject::connect(native_->notifier.get(), &QSocketNotifier::activated, native_->notifier.get(),
                     [native] { native->Deliver(); });
}

NotificationChannel::~NotificationChannel() {
    native_->notifier.reset();
    close(native_->fd);
}

bool NotificationChannel::Post(Notification notification) {
    {
        std::lock_guard lock(native_->mutex);
        native_->pending.push_back(std::move(notification));
    }
    const std::uint64_t one = 1;
    ssize_t written;
    do {
        written = write(native_->fd, &one, sizeof one);
    } while (written < 0 && errno == EINTR);
    return written == sizeof one;
}

}  // namespace kadr
