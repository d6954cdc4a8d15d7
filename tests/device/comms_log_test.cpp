#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <set>
#include <thread>

#include "device/comms_log.h"
#include "device/line_event_text.h"
#include "device/serial_device.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

std::vector<std::string> LogAfter(const std::string& path, const std::function<void()>& write) {
    SetCommsLogFileName(path);
    OpenCommsLog();
    write();
    CloseCommsLog();
    SetCommsLogFileName("");
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(CommsLog, ErrorLinesQuoteTheSystemsEnglishText) {
    EXPECT_EQ(FormatLastError(ENOENT), "No such file or directory");
    EXPECT_EQ(FormatLastError(ENOTTY), "Inappropriate ioctl for device");
    EXPECT_EQ(FormatLastError(98765),
              "FormatMessage failed on error 98765 for the following reason: 22");

    testing::TempDir dir;
    const auto lines = LogAfter(dir.File("log"), [] {
        LogError(EIO, "Unexpected ReadFile error: ");
        LogError(EACCES);
        LogLine("Stopping the Comm");
    });
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Unexpected ReadFile error: GetLastError returned: \"Input/output error\"",
                         "GetLastError returned: \"Permission denied\"",
                         "Stopping the Comm",
                     }));
}

TEST(CommsLog, NothingIsWrittenWhileTheLogIsOffOrClosed) {
    testing::TempDir dir;
    const std::string path = dir.File("log");
    const auto lines = LogAfter(path, [] { LogLine("kept"); });
    LogLine("after closing");  // no log open: quietly dropped
    SetCommsLogFileName(path);
    LogLine("named but not opened");
    SetCommsLogFileName("");
    std::ifstream in(path);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(all, "kept\n");
    EXPECT_EQ(lines.size(), 1u);
}

TEST(CommsLog, LinesFromSeveralThreadsNeverMix) {
    testing::TempDir dir;
    constexpr int kThreads = 4;
    constexpr int kLines = 400;
    const auto lines = LogAfter(dir.File("log"), [] {
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([t] {
                const std::string text =
                    "thread " + std::to_string(t) + " " + std::string(200, char('a' + t));
                for (int i = 0; i < kLines; ++i) {
                    LogLine(text);
                }
            });
        }
        for (auto& thread : threads) {
            thread.join();
        }
    });
    ASSERT_EQ(lines.size(), std::size_t{kThreads * kLines});
    std::set<std::string> distinct(lines.begin(), lines.end());
    EXPECT_EQ(distinct.size(), std::size_t{kThreads}) << "every line is one thread's whole line";
}

TEST(LineEventText, NamesTheFlagsInTheirOrder) {
    EXPECT_EQ(LineEventText(kLineErrorFrame), "Comm Event: CE_FRAME, EvtMask = 8");
    EXPECT_EQ(LineEventText(0), "Comm Event: NULL Error, EvtMask = 0");
    EXPECT_EQ(LineEventText(kLineErrorParity | kLineErrorOverrun | kLineErrorFrame),
              "Comm Event: CE_FRAME and CE_OVERRUN and CE_RXPARITY, EvtMask = 14");
    EXPECT_EQ(LineEventText(kLineErrorBreak | kLineErrorOverrun),
              "Comm Event: CE_OVERRUN and EV_ERR Unknown EvtMask, EvtMask = 18");
}

}  // namespace
}  // namespace kadr
