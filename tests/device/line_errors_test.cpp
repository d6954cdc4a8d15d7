// Line errors reach the main thread as text through the receive path, in order with the data.
// Pseudo-terminals count no line errors, so a scripted device stands in for the port here.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <deque>
#include <string>
#include <thread>
#include <vector>

#include "device/notification_channel.h"
#include "device/read_thread.h"
#include "device/serial_device.h"
#include "device/shutdown_event.h"
#include "tests/device/event_loop.h"

namespace kadr {
namespace {

// Answers the reader's reads from a script, then waits for the shutdown event.
class ScriptedDevice : public SerialDevice {
  public:
    explicit ScriptedDevice(std::deque<IoResult> script, std::string data = {})
        : script_(std::move(script)), data_(std::move(data)) {}

    int ApplyLineSettings(const LineSettings&) override { return 0; }
    int SetReadInterval(int) override { return 0; }
    int SetDtr(bool) override { return 0; }
    int SetRts(bool) override { return 0; }
    int StartLineErrorWatch() override { return 0; }
    IoResult Read(std::uint8_t* buffer, std::size_t capacity,
                  const ShutdownEvent& shutdown) override {
        if (!script_.empty()) {
            IoResult next = script_.front();
            script_.pop_front();
            if (next.status == IoResult::Status::Done) {
                next.count = std::min(capacity, data_.size());
                std::copy_n(data_.begin(), next.count, buffer);
            }
            return next;
        }
        while (!shutdown.IsSet()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        IoResult ended;
        ended.status = IoResult::Status::Shutdown;
        return ended;
    }
    IoResult Write(const std::uint8_t*, std::size_t count, const ShutdownEvent&) override {
        IoResult done;
        done.count = count;
        return done;
    }
    void PurgeReceive() override {}
    void PurgeTransmit() override {}

  private:
    std::deque<IoResult> script_;  // touched by the reader thread only
    std::string data_;
};

IoResult LineError(unsigned flags) {
    IoResult result;
    result.status = IoResult::Status::LineError;
    result.lineErrors = flags;
    return result;
}

IoResult Data() {
    IoResult result;
    result.status = IoResult::Status::Done;
    return result;
}

IoResult Failure(int error) {
    IoResult result;
    result.status = IoResult::Status::Failed;
    result.error = error;
    return result;
}

struct Delivered {
    std::vector<std::string> texts;  // blocks as text, hangups as "hangup"
    bool zeroAfterEach = true;
    bool offMainThread = false;
};

// Runs the reader over the device until `count` notifications have arrived.
Delivered RunReader(ScriptedDevice& device, std::size_t count) {
    Delivered delivered;
    NotificationChannel channel([&](Notification& n) {
        delivered.offMainThread |= QThread::currentThread() != qApp->thread();
        if (n.kind == Notification::Kind::Hangup) {
            delivered.texts.emplace_back("hangup");
            return;
        }
        delivered.zeroAfterEach &= n.block.bytes[n.block.count] == 0;
        delivered.texts.emplace_back(reinterpret_cast<const char*>(n.block.bytes.get()),
                                     n.block.count);
    });
    ShutdownEvent shutdown;
    TReadThread reader(device, shutdown, channel);
    reader.Start();
    testing::RunEventsUntil([&] { return delivered.texts.size() >= count; },
                            std::chrono::seconds(5));
    shutdown.Set();
    EXPECT_TRUE(reader.WaitFor(std::chrono::seconds(5)));
    return delivered;
}

const std::string kReply("\xFE\x03\x01\x00\x00", 5);

TEST(SerialPortLineErrors, ArriveAsTextInOrderWithTheDataAndTheReaderGoesOn) {
    ScriptedDevice device({LineError(kLineErrorFrame), Data(),
                           LineError(kLineErrorOverrun | kLineErrorParity | kLineErrorBreak),
                           LineError(kLineErrorFrame | kLineErrorOverrun), Data()},
                          kReply);
    const Delivered delivered = RunReader(device, 5);
    const std::string reply = kReply;
    EXPECT_EQ(delivered.texts,
              (std::vector<std::string>{
                  "Comm Event: CE_FRAME, EvtMask = 8", reply,
                  "Comm Event: CE_OVERRUN and CE_RXPARITY and EV_ERR Unknown EvtMask, EvtMask = 22",
                  "Comm Event: CE_FRAME and CE_OVERRUN, EvtMask = 10", reply}));
    EXPECT_TRUE(delivered.zeroAfterEach);
    EXPECT_FALSE(delivered.offMainThread);
}

TEST(SerialPortLineErrors, AReadErrorAfterALineErrorEndsTheReaderWithAHangup) {
    ScriptedDevice device({LineError(kLineErrorParity), Failure(EIO), Data()}, "late");
    const Delivered delivered = RunReader(device, 2);
    testing::RunEventsFor(std::chrono::milliseconds(100));
    EXPECT_EQ(delivered.texts,
              (std::vector<std::string>{"Comm Event: CE_RXPARITY, EvtMask = 4", "hangup"}))
        << "nothing is read after the reader gave up";
}

}  // namespace
}  // namespace kadr
