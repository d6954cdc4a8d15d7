// The Win32 port layer and the worker threads on a real serial port: the port under test and
// the other end of a null-modem pair (com0com on Windows; two bridged pseudo-terminals under
// wine, see scripts/test-windows.sh).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "device/comms_error.h"
#include "device/port_listing.h"
#include "device/port_names.h"
#include "tests/support/temp_dir.h"
#include "tests/windows/win32_test_support.h"

namespace kadr::testing {
namespace {

using namespace std::chrono_literals;

class SerialPort : public ::testing::Test {
  protected:
    void SetUp() override {
        peer_ = std::make_unique<PeerEnd>(PeerPort());
        if (!peer_->IsOpen()) {
            if (PortsRequired()) {
                FAIL() << "cannot open the peer port " << PeerPort();
            }
            GTEST_SKIP() << "no null-modem pair: set KADR_TEST_PORT and KADR_TEST_PEER";
        }
    }

    std::unique_ptr<PeerEnd> peer_;
};

std::vector<std::uint8_t> Pattern(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return bytes;
}

// Under wine a second handle shows the speed the first one set (wine lets it in; a
// pseudo-terminal keeps the speed but always runs 8 bits without parity).
DWORD SpeedSeenByAnotherHandle() {
    HANDLE second = CreateFileA(PortUnderTest().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (second == INVALID_HANDLE_VALUE) {
        return 0;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    const BOOL ok = GetCommState(second, &dcb);
    CloseHandle(second);
    return ok ? dcb.BaudRate : 0;
}

TEST_F(SerialPort, EverySpeedAndLineShapeIsAcceptedWithTheReadInterval) {
    auto device = OpenSerialDevice(PortUnderTest());
    for (const int baud : {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600,
                           115200, 128000, 256000}) {
        LineSettings line;
        line.baud = baud;
        line.dataBits = 8;
        EXPECT_EQ(device->ApplyLineSettings(line), 0) << baud;
        // Wine sets the speeds without a Linux constant (14400, 56000, 128000, 256000) as
        // 38400 with a custom divisor, which a pseudo-terminal does not keep.
        const bool linuxSpeed = baud != 14400 && baud != 56000 && baud < 128000;
        if (UnderWine() && linuxSpeed) {
            EXPECT_EQ(SpeedSeenByAnotherHandle(), static_cast<DWORD>(baud));
        }
    }
    LineSettings odd;
    odd.baud = 9600;
    odd.dataBits = 7;
    odd.parity = TParity::Even;
    odd.stopBits = TStopBits::_2;
    EXPECT_EQ(device->ApplyLineSettings(odd), 0);
    EXPECT_EQ(device->SetReadInterval(40), 0);
    EXPECT_EQ(device->SetDtr(true), 0);
    EXPECT_EQ(device->SetRts(true), 0);
    EXPECT_EQ(device->SetDtr(false), 0);
    EXPECT_EQ(device->StartLineErrorWatch(), 0);
}

TEST_F(SerialPort, TheOpenIsExclusive) {
    if (UnderWine()) {
        GTEST_SKIP() << "wine does not enforce exclusive opening of a serial port";
    }
    auto device = OpenSerialDevice(PortUnderTest());
    try {
        OpenSerialDevice(PortUnderTest());
        FAIL() << "a second open succeeded";
    } catch (const ECommsError& e) {
        EXPECT_STREQ(e.what(), "Error opening com port");
        EXPECT_EQ(e.Reason(), PortFailure::Busy) << e.SystemError();
    }
}

TEST(SerialPortOpen, AbsentPortsAndOtherFilesAreRefusedWithTheirMessages) {
    for (const char* absent : {"\\\\.\\COM42", "\\\\.\\NoSuchPort"}) {
        try {
            OpenSerialDevice(absent);
            FAIL() << absent;
        } catch (const ECommsError& e) {
            EXPECT_STREQ(e.what(), "Error opening com port");
            EXPECT_EQ(e.Reason(), PortFailure::Absent) << absent << ": " << e.SystemError();
        }
    }
    TempDir dir;
    const std::string file = dir.File("plain.txt");
    WriteBytes(file, {1, 2, 3});
    try {
        OpenSerialDevice(file);
        FAIL() << "a disk file was taken for a port";
    } catch (const ECommsError& e) {
        EXPECT_STREQ(e.what(), "File handle is not a comm handle. ");
    }
    EXPECT_EQ(DefaultComDevice(1), "\\\\.\\COM1");
    EXPECT_EQ(DefaultComDevice(12), "\\\\.\\COM12");
}

// The system's own listing: the pair under test is there, each port with its device, in the
// order of their numbers (under wine SetupAPI lists nothing and SERIALCOMM gives the ports).
TEST(PortListing, ListsThePortsUnderTestInTheOrderOfTheirNumbers) {
    std::vector<std::string> devices;
    int last = 0;
    for (const SystemPort& port : ListSystemPorts()) {
        devices.push_back(port.device);
        EXPECT_EQ(port.device, "\\\\.\\" + port.name);
        const int number = ComNumber(port.name).value_or(0);
        EXPECT_GT(number, last) << port.name;
        last = number;
    }
    for (const std::string& wanted : {PortUnderTest(), PeerPort()}) {
        const bool listed = std::find(devices.begin(), devices.end(), wanted) != devices.end();
        if (PortsRequired()) {
            EXPECT_TRUE(listed) << wanted;
        } else if (!listed) {
            GTEST_SKIP() << wanted << " is not there";
        }
    }
}

TEST_F(SerialPort, AReplyInOneBurstArrivesAsOneBlockAfterTheSilence) {
    SerialRig rig(PortUnderTest());
    std::this_thread::sleep_for(100ms);  // the reader has armed its read
    const std::vector<std::uint8_t> reply = {0xFE, 0x05, 0x01, 0x04, 0x00};
    peer_->Write(reply);
    const auto sent = Clock::now();
    ASSERT_TRUE(PumpMessagesUntil([&] { return !rig.blocks.empty(); }, 3000ms));
    // Anything split off would come within the next interval.
    PumpMessagesUntil([] { return false; }, 150ms);
    ASSERT_EQ(rig.blocks.size(), 1u);
    EXPECT_EQ(rig.blocks[0].bytes, reply);
    const auto delay =
        std::chrono::duration_cast<std::chrono::milliseconds>(rig.blocks[0].at - sent);
    EXPECT_GE(delay.count(), 30) << "the read ended before the line was silent";
    EXPECT_LT(delay.count(), 1000);
    EXPECT_EQ(rig.hangups, 0);
}

TEST_F(SerialPort, APauseLongerThanTheIntervalSplitsTheBlocks) {
    SerialRig rig(PortUnderTest());
    std::this_thread::sleep_for(100ms);
    peer_->Write({1, 2, 3});
    std::this_thread::sleep_for(150ms);
    peer_->Write({4, 5});
    ASSERT_TRUE(PumpMessagesUntil([&] { return rig.blocks.size() >= 2; }, 3000ms));
    PumpMessagesUntil([] { return false; }, 150ms);
    ASSERT_EQ(rig.blocks.size(), 2u);
    EXPECT_EQ(rig.blocks[0].bytes, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(rig.blocks[1].bytes, (std::vector<std::uint8_t>{4, 5}));
}

TEST_F(SerialPort, ALongBurstIsDeliveredInBlocksOfAtMost2048Bytes) {
    SerialRig rig(PortUnderTest());
    std::this_thread::sleep_for(100ms);
    const auto bytes = Pattern(5000);
    peer_->Write(bytes);
    std::vector<std::uint8_t> got;
    ASSERT_TRUE(PumpMessagesUntil(
        [&] {
            got.clear();
            for (const auto& block : rig.blocks) {
                got.insert(got.end(), block.bytes.begin(), block.bytes.end());
            }
            return got.size() >= bytes.size();
        },
        5000ms));
    EXPECT_EQ(got, bytes);
    EXPECT_GE(rig.blocks.size(), 3u);
    for (const auto& block : rig.blocks) {
        EXPECT_LE(block.bytes.size(), TReadThread::kBufferBytes);
    }
}

TEST_F(SerialPort, BlocksPostedToTheWriterArriveWholeAndInOrder) {
    SerialRig rig(PortUnderTest());
    const auto first = Pattern(69);
    const auto second = Pattern(3000);
    ASSERT_TRUE(rig.Post(first));  // at once after opening: never lost
    ASSERT_TRUE(rig.Post(second));
    const auto got = peer_->Read(first.size() + second.size(), 5000ms);
    std::vector<std::uint8_t> expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(got, expected);
    EXPECT_EQ(rig.hangups, 0);
}

TEST_F(SerialPort, StoppingWithAReadPendingEndsBothThreadsAtOnce) {
    SerialRig rig(PortUnderTest());
    std::this_thread::sleep_for(100ms);  // both threads are waiting: read pending, queue empty
    const auto start = Clock::now();
    EXPECT_TRUE(rig.Stop());
    EXPECT_LT(Clock::now() - start, 1000ms);
    EXPECT_FALSE(rig.Post({1})) << "the writer's queue still took blocks after it ended";
    // The port can be opened again at once, as after ClosePort.
    SerialRig again(PortUnderTest());
    peer_->Write({9});
    EXPECT_TRUE(PumpMessagesUntil([&] { return !again.blocks.empty(); }, 3000ms));
}

TEST_F(SerialPort, PurgingTheReceiveSideEndsAReadPendingOnAnotherThread) {
    auto device = OpenSerialDevice(PortUnderTest());
    ASSERT_EQ(device->SetReadInterval(40), 0);
    ShutdownEvent never;  // only the purge can end this read
    IoResult result;
    std::atomic<bool> ended{false};
    std::thread reader([&] {
        std::uint8_t buffer[16];
        result = device->Read(buffer, sizeof buffer, never);
        ended = true;
    });
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(ended) << "the read ended without bytes";
    const auto start = Clock::now();
    device->PurgeReceive();
    while (!ended && Clock::now() - start < 2000ms) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_TRUE(ended) << "the purge left the read pending";
    reader.join();
    EXPECT_EQ(result.status, IoResult::Status::Failed);
    EXPECT_EQ(result.error, ERROR_OPERATION_ABORTED);
}

// What the port layer counts on from Windows' own drivers; CancelIoEx covers the others.
TEST_F(SerialPort, PurgeCommAloneAbortsAPendingRead) {
    if (UnderWine()) {
        GTEST_SKIP() << "wine's PurgeComm does not abort a pending read (CancelIoEx does)";
    }
    HANDLE port = CreateFileA(PortUnderTest().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = 40;
    SetCommTimeouts(port, &timeouts);
    OVERLAPPED record{};
    record.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::uint8_t buffer[16];
    DWORD got = 0;
    ASSERT_FALSE(ReadFile(port, buffer, sizeof buffer, &got, &record));
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_IO_PENDING));
    PurgeComm(port, PURGE_RXABORT | PURGE_RXCLEAR);
    EXPECT_EQ(WaitForSingleObject(record.hEvent, 2000), WAIT_OBJECT_0);
    CancelIoEx(port, &record);
    GetOverlappedResult(port, &record, &got, TRUE);
    CloseHandle(record.hEvent);
    CloseHandle(port);
}

}  // namespace
}  // namespace kadr::testing
