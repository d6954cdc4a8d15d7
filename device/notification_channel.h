#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "device/comm_block.h"

namespace kadr {

// What the worker threads hand to the thread that created the serial component.
struct Notification {
    enum class Kind { ReceivedData, Hangup };
    Kind kind = Kind::ReceivedData;
    CommBlock block;  // empty for a hangup request
};

// The serial component's hidden notification window: worker threads post notifications from
// any thread, and the thread that created the channel runs the handler for each of them, in
// the order posted, from its Qt event loop. The wake-up goes through an eventfd so that every
// hand-over is visible to the thread sanitizer, not only to Qt's internals.
class NotificationChannel : public QObject {
    Q_OBJECT
  public:
    using Handler = std::function<void(Notification&)>;

    explicit NotificationChannel(Handler handler);  // throws std::system_error
    ~NotificationChannel() override;

    // Safe from any thread; false only when the wake-up cannot be signalled.
    bool Post(Notification notification);

  private:
    void Deliver();

    Handler handler_;
    int fd_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::mutex mutex_;
    std::deque<Notification> pending_;
};

}  // namespace kadr
