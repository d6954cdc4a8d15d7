#pragma once

#include <chrono>

#include "device/notification_channel.h"
#include "device/serial_device.h"
#include "device/shutdown_event.h"
#include "device/worker_thread.h"
#include "device/write_queue.h"

namespace kadr {

// The writer: takes blocks from its queue in order and writes each one whole, until the
// shutdown event or a write error ends it. When it ends its queue refuses further posts.
class TWriteThread {
  public:
    TWriteThread(SerialDevice& port, const ShutdownEvent& shutdown, WriteQueue& queue,
                 NotificationChannel& channel)
        : port_(port), shutdown_(shutdown), queue_(queue), channel_(channel) {}

    void Start() {
        thread_.Start([this] { Run(); }, 1);
    }
    bool WaitFor(std::chrono::milliseconds limit) { return thread_.WaitFor(limit); }

  private:
    void Run();
    void Serve();
    bool WriteAll(const CommBlock& block);
    void RequestHangup();

    SerialDevice& port_;
    const ShutdownEvent& shutdown_;
    WriteQueue& queue_;
    NotificationChannel& channel_;
    WorkerThread thread_;  // last: it ends before the members it uses go
};

}  // namespace kadr
