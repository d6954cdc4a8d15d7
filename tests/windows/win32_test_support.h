#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/notification_channel.h"
#include "device/read_thread.h"
#include "device/serial_device.h"
#include "device/shutdown_event.h"
#include "device/write_queue.h"
#include "device/write_thread.h"

namespace kadr::testing {

using Clock = std::chrono::steady_clock;

// True inside wine, which lacks a few behaviours of Windows' own serial driver.
bool UnderWine();
// Runs the calling thread's message loop until `done` says so or the limit has passed.
bool PumpMessagesUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

// The port under test and the other end of its null-modem pair: KADR_TEST_PORT and
// KADR_TEST_PEER, COM1 and COM2 by default. Without KADR_TEST_PORTS_REQUIRED a missing pair
// skips the tests that need it (a Windows PC without com0com or a cable).
std::string PortUnderTest();
std::string PeerPort();
bool PortsRequired();

// The far end, driven with plain blocking Win32 calls independent of the code under test.
class PeerEnd {
  public:
    explicit PeerEnd(const std::string& name);
    ~PeerEnd();
    PeerEnd(const PeerEnd&) = delete;
    PeerEnd& operator=(const PeerEnd&) = delete;

    bool IsOpen() const;
    void Write(const std::vector<std::uint8_t>& bytes);
    // Whatever arrives within the limit, up to `count` bytes.
    std::vector<std::uint8_t> Read(std::size_t count, std::chrono::milliseconds limit);

  private:
    void* handle_;
};

// The serial component's working parts as OpenPort assembles them: the port, the shutdown
// event, the writer's queue, the notification channel served by this thread's message loop,
// and both worker threads.
class SerialRig {
  public:
    struct Block {
        std::vector<std::uint8_t> bytes;
        Clock::time_point at;
    };

    explicit SerialRig(const std::string& port);  // throws ECommsError
    ~SerialRig();

    SerialDevice& Device() { return *device_; }
    bool Post(const std::vector<std::uint8_t>& bytes);
    // ClosePort's order: shutdown, purge the receive side, wait for the reader, then the same
    // for the writer. True when both ended within the limit each.
    bool Stop(std::chrono::milliseconds limit = std::chrono::milliseconds(10000));

    std::vector<Block> blocks;
    int hangups = 0;

  private:
    std::unique_ptr<SerialDevice> device_;
    ShutdownEvent shutdown_;
    WriteQueue queue_;
    NotificationChannel channel_;
    std::unique_ptr<TReadThread> reader_;
    std::unique_ptr<TWriteThread> writer_;
};

}  // namespace kadr::testing
