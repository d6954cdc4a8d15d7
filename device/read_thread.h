#pragma once

#include <chrono>
#include <cstdint>

#include "device/notification_channel.h"
#include "device/serial_device.h"
#include "device/shutdown_event.h"
#include "device/worker_thread.h"

namespace kadr {

// The reader: waits for received bytes and line errors and posts each block (or line-error
// text) to the notification channel, until the shutdown event or an error ends it. After an
// error it posts a hangup request; the port stays open until the owner closes it.
class TReadThread {
  public:
    static constexpr std::size_t kBufferBytes = 2048;

    TReadThread(SerialDevice& port, const ShutdownEvent& shutdown, NotificationChannel& channel)
        : port_(port), shutdown_(shutdown), channel_(channel) {}

    void Start() {
        thread_.Start([this] { Run(); }, 2);
    }
    bool WaitFor(std::chrono::milliseconds limit) { return thread_.WaitFor(limit); }

  private:
    void Run();
    bool Serve();
    bool DeliverBlock(const std::uint8_t* bytes, std::size_t count);
    bool HandleLineEvent(unsigned flags);
    void RequestHangup();

    SerialDevice& port_;
    const ShutdownEvent& shutdown_;
    NotificationChannel& channel_;
    std::uint8_t buffer_[kBufferBytes] = {};
    WorkerThread thread_;  // last: it ends before the members it uses go
};

}  // namespace kadr
