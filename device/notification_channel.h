#pragma once

#include <functional>
#include <memory>

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
// the order posted, from its event loop. On POSIX systems that is the Qt event loop woken
// through an eventfd; on Windows it is a hidden message-only window, served by any message
// loop of the creating thread (Qt's included).
class NotificationChannel {
  public:
    using Handler = std::function<void(Notification&)>;

    explicit NotificationChannel(Handler handler);  // throws std::system_error
    ~NotificationChannel();
    NotificationChannel(const NotificationChannel&) = delete;
    NotificationChannel& operator=(const NotificationChannel&) = delete;

    // Safe from any thread; false when the notification could not be handed over (its block
    // is freed then).
    bool Post(Notification notification);

  private:
    struct Native;
    std::unique_ptr<Native> native_;
};

}  // namespace kadr
