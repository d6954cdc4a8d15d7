// The serial component's Windows pieces that need no port: the error texts, the events, the
// writer's queue, the hand-over to the main thread's message loop and the thread priorities.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "device/comms_log.h"
#include "device/line_event_text.h"
#include "device/notification_channel.h"
#include "device/shutdown_event.h"
#include "device/worker_thread.h"
#include "device/write_queue.h"
#include "tests/support/temp_dir.h"
#include "tests/windows/win32_test_support.h"

namespace kadr::testing {
namespace {

using namespace std::chrono_literals;

TEST(Win32CommsLog, ErrorTextsAreTheSystemsUsEnglishOnesOnOneLine) {
    // Wine words a few texts its own way.
    const bool wine = UnderWine();
    const std::string invalidHandle = wine ? "Invalid handle." : "The handle is invalid.";
    EXPECT_EQ(FormatLastError(ERROR_FILE_NOT_FOUND),
              wine ? "File not found." : "The system cannot find the file specified.");
    EXPECT_EQ(FormatLastError(ERROR_ACCESS_DENIED), wine ? "Access denied." : "Access is denied.");
    EXPECT_EQ(FormatLastError(ERROR_INVALID_HANDLE), invalidHandle);
    const std::string unknown = FormatLastError(0x2FFFFFFF);
    EXPECT_EQ(
        unknown.rfind("FormatMessage failed on error 805306367 for the following reason: ", 0), 0u)
        << unknown;
    EXPECT_NE(unknown.back(), ' ');

    TempDir dir;
    const std::string path = dir.File("comm.log");
    SetCommsLogFileName(path);
    OpenCommsLog();
    LogError(ERROR_INVALID_HANDLE, "Unexpected ReadFile error: ");
    LogLine("Stopping the Comm");
    CloseCommsLog();
    SetCommsLogFileName("");
    std::ifstream in(path, std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A text file with the system's line ends.
    EXPECT_EQ(all, "Unexpected ReadFile error: GetLastError returned: \"" + invalidHandle +
                       "\"\r\nStopping the Comm\r\n");
}

TEST(Win32CommsLog, LineErrorFlagsReadAsTheCommEventText) {
    EXPECT_EQ(LineEventText(CE_FRAME), "Comm Event: CE_FRAME, EvtMask = 8");
    EXPECT_EQ(LineEventText(CE_FRAME | CE_OVERRUN | CE_RXPARITY),
              "Comm Event: CE_FRAME and CE_OVERRUN and CE_RXPARITY, EvtMask = 14");
    EXPECT_EQ(LineEventText(CE_BREAK), "Comm Event: EV_ERR Unknown EvtMask, EvtMask = 16");
    EXPECT_EQ(LineEventText(0), "Comm Event: NULL Error, EvtMask = 0");
}

TEST(Win32Events, TheShutdownEventIsManualResetAndSeenByEveryThread) {
    ShutdownEvent shutdown;
    EXPECT_FALSE(shutdown.IsSet());
    std::atomic<int> woken{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i) {
        waiters.emplace_back([&] {
            if (WaitForSingleObject(shutdown.Native(), 5000) == WAIT_OBJECT_0) {
                ++woken;
            }
        });
    }
    std::this_thread::sleep_for(50ms);
    shutdown.Set();
    for (auto& waiter : waiters) {
        waiter.join();
    }
    EXPECT_EQ(woken, 3);
    EXPECT_TRUE(shutdown.IsSet());  // waits did not reset it
}

TEST(Win32WriteQueue, InputWakesTheWriterAndShutdownWinsOverIt) {
    WriteQueue queue;
    ShutdownEvent shutdown;
    const std::uint8_t a[] = {1}, b[] = {2, 3};
    EXPECT_FALSE(queue.TryTake().has_value());
    std::thread poster([&] {
        std::this_thread::sleep_for(30ms);
        queue.Post(CommBlock(a, 1));
        queue.Post(CommBlock(b, 2));
    });
    EXPECT_EQ(queue.WaitForInput(shutdown).kind, QueueWait::Kind::Input);
    poster.join();
    auto first = queue.TryTake();
    auto second = queue.TryTake();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->count, 1u);
    EXPECT_EQ(second->bytes[1], 3);
    EXPECT_EQ(second->bytes[2], 0) << "a block carries one zero byte after its data";

    EXPECT_FALSE(queue.TryTake().has_value());  // resets the input signal
    queue.Post(CommBlock(a, 1));
    shutdown.Set();
    EXPECT_EQ(queue.WaitForInput(shutdown).kind, QueueWait::Kind::Shutdown);
    queue.Close();
    EXPECT_FALSE(queue.Post(CommBlock(a, 1)));
    EXPECT_FALSE(queue.TryTake().has_value());
}

TEST(Win32NotificationChannel, PostsFromWorkersArriveInOrderOnTheOwningThread) {
    const DWORD owner = GetCurrentThreadId();
    std::vector<int> order;
    int hangups = 0;
    bool wrongThread = false;
    NotificationChannel channel([&](Notification& n) {
        wrongThread = wrongThread || GetCurrentThreadId() != owner;
        if (n.kind == Notification::Kind::Hangup) {
            ++hangups;
        } else {
            order.push_back(n.block.bytes[0] * 256 + n.block.bytes[1]);
            EXPECT_EQ(n.block.bytes[n.block.count], 0);
        }
    });
    constexpr int kPerThread = 200;
    std::vector<std::thread> workers;
    for (int t = 0; t < 2; ++t) {
        workers.emplace_back([&channel, t] {
            for (int i = 0; i < kPerThread; ++i) {
                const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(t),
                                               static_cast<std::uint8_t>(i)};
                Notification n;
                n.block = CommBlock(bytes, 2);
                channel.Post(std::move(n));
            }
            channel.Post(Notification{Notification::Kind::Hangup, {}});
        });
    }
    for (auto& worker : workers) {
        worker.join();
    }
    EXPECT_TRUE(order.empty()) << "delivered before the owner ran its message loop";
    ASSERT_TRUE(PumpMessagesUntil([&] { return hangups == 2; }, 5000ms));
    EXPECT_FALSE(wrongThread);
    ASSERT_EQ(order.size(), 2u * kPerThread);
    int next[2] = {0, 0};
    for (const int value : order) {
        const int t = value / 256;
        EXPECT_EQ(value % 256, next[t]++ % 256) << "thread " << t << " out of order";
    }
}

TEST(Win32NotificationChannel, UndeliveredBlocksGoWithTheChannel) {
    int handled = 0;
    {
        NotificationChannel channel([&](Notification&) { ++handled; });
        const std::uint8_t bytes[3] = {1, 2, 3};
        Notification n;
        n.block = CommBlock(bytes, 3);
        EXPECT_TRUE(channel.Post(std::move(n)));
    }
    // The message went with the window: a later message loop finds nothing for it.
    PumpMessagesUntil([] { return false; }, 50ms);
    EXPECT_EQ(handled, 0);
}

TEST(Win32Threads, WorkersRunAtTheirPriorities) {
    for (const auto& [steps, expected] :
         {std::pair{2, THREAD_PRIORITY_HIGHEST}, std::pair{1, THREAD_PRIORITY_ABOVE_NORMAL},
          std::pair{0, THREAD_PRIORITY_NORMAL}}) {
        std::atomic<int> seen{-100};
        WorkerThread worker;
        worker.Start([&] { seen = GetThreadPriority(GetCurrentThread()); }, steps);
        ASSERT_TRUE(worker.WaitFor(5000ms));
        EXPECT_EQ(seen, expected) << steps << " steps";
    }
}

}  // namespace
}  // namespace kadr::testing
