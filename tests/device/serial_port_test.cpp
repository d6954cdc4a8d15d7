#include <gtest/gtest.h>
#include <termios.h>

#include <QCoreApplication>
#include <QThread>
#include <fstream>
#include <memory>
#include <numeric>
#include <system_error>
#include <thread>

#include "device/comms_error.h"
#include "device/comms_log.h"
#include "device/line_config.h"
#include "device/port_settings.h"
#include "device/vss_comm32.h"
#include "tests/device/event_loop.h"
#include "tests/device/fake_device.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using testing::Bytes;
using testing::FakeDevice;
using testing::RunEventsFor;
using testing::RunEventsUntil;

std::string OpenError(TVSSComm32& comm) {
    try {
        comm.OpenPort();
    } catch (const ECommsError& e) {
        return e.what();
    }
    return "(opened)";
}

// The component as the editor sets it up, on the given device.
void ConfigureLikeEditor(TVSSComm32& comm, const std::string& device) {
    comm.PortName = device;
    comm.BaudRate = TBaudRate::__56000;
    comm.DataBits = TDataBits::_8;
    comm.DTR = true;
    comm.RTS = true;
}

// Collects the received blocks in the order the main thread got them.
struct Receiver {
    std::vector<Bytes> blocks;
    std::vector<bool> zeroAfter;
    int hangups = 0;
    bool offMainThread = false;

    void Attach(TVSSComm32& comm) {
        comm.OnReceiveData = [this](const std::uint8_t* buffer, std::uint32_t length) {
            offMainThread |= QThread::currentThread() != QCoreApplication::instance()->thread();
            blocks.emplace_back(buffer, buffer + length);
            zeroAfter.push_back(buffer[length] == 0);
        };
        comm.OnRequestHangup = [this](TVSSComm32&) {
            offMainThread |= QThread::currentThread() != QCoreApplication::instance()->thread();
            ++hangups;
        };
    }
    Bytes All() const {
        Bytes all;
        for (const Bytes& b : blocks) {
            all.insert(all.end(), b.begin(), b.end());
        }
        return all;
    }
};

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// True when `wanted` occurs in `lines` in this order (other lines may come between).
bool InOrder(const std::vector<std::string>& lines, const std::vector<std::string>& wanted) {
    std::size_t next = 0;
    for (const std::string& line : lines) {
        if (next < wanted.size() && line == wanted[next]) {
            ++next;
        }
    }
    return next == wanted.size();
}

TEST(SerialPortOpen, RefusesWhatIsNoPortAndWhatIsInUse) {
    testing::TempDir dir;
    TVSSComm32 comm;
    comm.PortName = dir.File("absent");
    EXPECT_EQ(OpenError(comm), "Error opening com port");
    EXPECT_FALSE(comm.IsOpen());

    std::ofstream(dir.File("plain")) << "x";
    comm.PortName = dir.File("plain");
    EXPECT_EQ(OpenError(comm), "File handle is not a comm handle. ");
    comm.PortName = "/dev/null";  // a character device, but no terminal
    EXPECT_EQ(OpenError(comm), "File handle is not a comm handle. ");
    EXPECT_FALSE(comm.IsOpen());

    FakeDevice device;
    ConfigureLikeEditor(comm, device.Path());
    ASSERT_TRUE(comm.OpenPort());
    EXPECT_EQ(OpenError(comm), "Already have a comm file open");
    EXPECT_TRUE(comm.IsOpen());

    TVSSComm32 other;
    ConfigureLikeEditor(other, device.Path());
    EXPECT_EQ(OpenError(other), "Error opening com port");

    comm.ClosePort();
    comm.ClosePort();  // closing a closed port does nothing
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_TRUE(other.OpenPort());
    other.ClosePort();
    EXPECT_TRUE(comm.OpenPort());  // any number of times
}

TEST(SerialPortOpen, DestroyingAnOpenComponentClosesItsPort) {
    FakeDevice device;
    {
        TVSSComm32 comm;
        ConfigureLikeEditor(comm, device.Path());
        ASSERT_TRUE(comm.OpenPort());
        ASSERT_TRUE(comm.WriteBlock("abc", 3));
    }
    TVSSComm32 again;
    ConfigureLikeEditor(again, device.Path());
    EXPECT_TRUE(again.OpenPort());
}

TEST(SerialPortOpen, ARefusedWorkerThreadIsLoggedAndKeepsThePortUntilClosed) {
    testing::TempDir dir;
    const std::string log = dir.File("comm.log");
    FakeDevice device;
    for (const std::string refused : {"Read", "Write"}) {
        TVSSComm32 comm;
        ConfigureLikeEditor(comm, device.Path());
        comm.SetCommsLogFileName(log);
        comm.StartingWorker = [refused](std::string_view worker) {
            if (worker == refused) {
                throw std::system_error(EAGAIN, std::generic_category());
            }
        };
        EXPECT_EQ(OpenError(comm), "Unable to create " + refused + " thread");
        EXPECT_TRUE(comm.IsOpen()) << refused;
        EXPECT_EQ(OpenError(comm), "Already have a comm file open");
        comm.ClosePort();
        EXPECT_FALSE(comm.IsOpen());
        comm.SetCommsLogFileName("");
        const auto lines = ReadLines(log);
        EXPECT_TRUE(InOrder(lines, {"Unable to create " + refused +
                                        " thread: GetLastError returned: \"Resource temporarily "
                                        "unavailable\"",
                                    "Stopping the Comm"}))
            << refused;
        // A reader that did start is stopped by the close, not left running.
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "Read thread shutting down"),
                  refused == "Write" ? 1 : 0);

        comm.StartingWorker = nullptr;
        EXPECT_TRUE(comm.OpenPort()) << "the device is free again";
    }
}

TEST(SerialPortOpen, ComPortNamesMapThroughTheSettingsStore) {
    TVSSComm32 comm;
    comm.CommPort = TCommPort::Com3;
    EXPECT_EQ(comm.DeviceName(), "/dev/ttyS2");
    FakeDevice device;
    SetComPortDevice(TCommPort::Com3, device.Path());
    EXPECT_EQ(comm.DeviceName(), device.Path());
    EXPECT_TRUE(comm.OpenPort());
    comm.ClosePort();
    comm.PortName = "/dev/ttyUSB7";
    EXPECT_EQ(comm.DeviceName(), "/dev/ttyUSB7");  // a path named directly wins
    SetComPortDevice(TCommPort::Com3, "");
    comm.PortName.clear();
    EXPECT_EQ(comm.DeviceName(), "/dev/ttyS2");
}

TEST(SerialPortLine, SetsEverySpeedAndTheFrameAndMakesTheLineRaw) {
    FakeDevice device;
    for (int i = 0; i < kBaudRateCount; ++i) {
        TVSSComm32 comm;
        ConfigureLikeEditor(comm, device.Path());
        comm.BaudRate = static_cast<TBaudRate>(i);
        ASSERT_TRUE(comm.OpenPort());
        int baud = 0;
        ASSERT_EQ(ReadLineSpeed(device.SlaveFd(), baud), 0);
        EXPECT_EQ(baud, BaudValue(comm.BaudRate)) << EnumName(comm.BaudRate);
    }

    struct Case {
        TParity parity;
        TDataBits bits;
        TStopBits stop;
        tcflag_t set;
        tcflag_t clear;
    };
    const Case cases[] = {
        {TParity::None, TDataBits::_8, TStopBits::_1, CS8, PARENB | CSTOPB},
        {TParity::Odd, TDataBits::_7, TStopBits::_2, CS7 | PARENB | PARODD | CSTOPB, CMSPAR},
        {TParity::Even, TDataBits::_6, TStopBits::_1, CS6 | PARENB, PARODD | CMSPAR},
        {TParity::Mark, TDataBits::_5, TStopBits::_1_5, CS5 | PARENB | PARODD | CMSPAR | CSTOPB, 0},
        {TParity::Space, TDataBits::_8, TStopBits::_1, CS8 | PARENB | CMSPAR, PARODD},
    };
    termios before{};
    ASSERT_EQ(tcgetattr(device.SlaveFd(), &before), 0);
    before.c_lflag |= ECHO | ICANON | ISIG;
    before.c_iflag |= ICRNL | IXON;
    before.c_oflag |= OPOST;
    before.c_cflag |= CRTSCTS;
    ASSERT_EQ(tcsetattr(device.SlaveFd(), TCSANOW, &before), 0);
    for (const Case& c : cases) {
        TVSSComm32 comm;
        ConfigureLikeEditor(comm, device.Path());
        comm.Parity = c.parity;
        comm.DataBits = c.bits;
        comm.StopBits = c.stop;
        ASSERT_TRUE(comm.OpenPort());
        termios tio{};
        ASSERT_EQ(tcgetattr(device.SlaveFd(), &tio), 0);
        // A pseudo-terminal always keeps 8 data bits and no parity check (its driver clears
        // CSIZE and PARENB); the parity kind and the stop bits it keeps as set.
        const tcflag_t seen = PARODD | CMSPAR | CSTOPB;
        EXPECT_EQ(tio.c_cflag & seen, c.set & seen) << EnumName(c.parity);
        EXPECT_EQ(tio.c_cflag & c.clear & seen, 0u) << EnumName(c.parity);
        EXPECT_EQ(tio.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0u);
        EXPECT_EQ(tio.c_iflag & (ICRNL | IXON | IXOFF | INLCR | IGNCR | ISTRIP), 0u);
        EXPECT_EQ(tio.c_oflag & OPOST, 0u);
        EXPECT_NE(tio.c_cflag & CRTSCTS, 0u) << "hardware flow control stays as the port had it";
    }
}

TEST(SerialPortData, MovesEveryByteValueBothWaysInOrder) {
    FakeDevice device;
    TVSSComm32 comm;
    ConfigureLikeEditor(comm, device.Path());
    Receiver receiver;
    receiver.Attach(comm);
    ASSERT_TRUE(comm.OpenPort());

    Bytes all(256);
    std::iota(all.begin(), all.end(), 0);  // XON, XOFF, CR, LF, ^C and the rest
    // Written at once after opening: the writer's queue exists from the start.
    ASSERT_TRUE(comm.WriteBlock(all.data(), static_cast<std::uint32_t>(all.size())));
    ASSERT_TRUE(comm.WriteBlock("tail", 4));
    Bytes expected = all;
    expected.insert(expected.end(), {'t', 'a', 'i', 'l'});
    ASSERT_TRUE(RunEventsUntil([&] { return device.Received() == expected; }))
        << device.Received().size() << " bytes arrived";

    device.Send(all);
    ASSERT_TRUE(RunEventsUntil([&] { return receiver.All().size() >= all.size(); }));
    EXPECT_EQ(receiver.All(), all);
    EXPECT_FALSE(receiver.offMainThread);
}

TEST(SerialPortData, ABurstIsOneBlockAndALongBurstSeveral) {
    FakeDevice device;
    TVSSComm32 comm;
    ConfigureLikeEditor(comm, device.Path());
    Receiver receiver;
    receiver.Attach(comm);
    ASSERT_TRUE(comm.OpenPort());

    const Bytes reply{0xFE, 0x03, 0x00, 0x00, 0x00};
    device.Send(reply);
    ASSERT_TRUE(RunEventsUntil([&] { return !receiver.blocks.empty(); }));
    RunEventsFor(std::chrono::milliseconds(150));  // nothing else may follow
    ASSERT_EQ(receiver.blocks.size(), 1u);
    EXPECT_EQ(receiver.blocks[0], reply);
    EXPECT_TRUE(receiver.zeroAfter[0]);

    // A second burst after a silence much longer than 40 ms is a block of its own.
    Bytes burst(5000);
    for (std::size_t i = 0; i < burst.size(); ++i) {
        burst[i] = static_cast<std::uint8_t>(i * 7);
    }
    device.Send(burst);
    ASSERT_TRUE(
        RunEventsUntil([&] { return receiver.All().size() == reply.size() + burst.size(); }));
    EXPECT_GE(receiver.blocks.size(), 1u + 3u);
    for (std::size_t i = 1; i < receiver.blocks.size(); ++i) {
        EXPECT_LE(receiver.blocks[i].size(), 2048u);
        EXPECT_TRUE(receiver.zeroAfter[i]);
    }
    const Bytes all = receiver.All();
    EXPECT_EQ(Bytes(all.begin() + 5, all.end()), burst);
}

TEST(SerialPortData, WriteBlockNeedsAnOpenPort) {
    TVSSComm32 comm;
    EXPECT_FALSE(comm.WriteBlock("x", 1));
    FakeDevice device;
    ConfigureLikeEditor(comm, device.Path());
    ASSERT_TRUE(comm.OpenPort());
    comm.ClosePort();
    EXPECT_FALSE(comm.WriteBlock("x", 1));
}

TEST(SerialPortHangup, PeerHangingUpEndsTheThreadsButNotThePort) {
    testing::TempDir dir;
    FakeDevice device;
    TVSSComm32 comm;
    ConfigureLikeEditor(comm, device.Path());
    comm.SetCommsLogFileName(dir.File("comm.log"));
    Receiver receiver;
    receiver.Attach(comm);
    ASSERT_TRUE(comm.OpenPort());

    device.HangUp();
    ASSERT_TRUE(RunEventsUntil([&] { return receiver.hangups >= 1; }));
    EXPECT_FALSE(receiver.offMainThread);
    EXPECT_TRUE(comm.IsOpen());

    // The writer learns of the hangup at its next write and ends; after that nothing is queued.
    EXPECT_TRUE(comm.WriteBlock("x", 1));
    ASSERT_TRUE(RunEventsUntil([&] { return !comm.WriteBlock("y", 1); }));
    EXPECT_TRUE(RunEventsUntil([&] { return receiver.hangups >= 2; })) << "the writer asks too";
    comm.ClosePort();
    EXPECT_FALSE(comm.IsOpen());
    comm.SetCommsLogFileName("");

    const auto lines = ReadLines(dir.File("comm.log"));
    EXPECT_TRUE(
        InOrder(lines, {"Unexpected ReadFile error: GetLastError returned: \"Input/output error\"",
                        "Read thread shutting down"}));
    EXPECT_TRUE(
        InOrder(lines, {"Writing to comm port",
                        "Error to writing to CommFileGetLastError returned: \"Input/output error\"",
                        "Closing TAPI", "Write thread shutting down"}));
    EXPECT_TRUE(InOrder(lines, {"Failed to Post to Write thread. ", "Stopping the Comm"}));
}

TEST(SerialPortHangup, NothingPostedBeforeTheCloseIsHandledAfterIt) {
    FakeDevice device;
    TVSSComm32 comm;
    ConfigureLikeEditor(comm, device.Path());
    Receiver receiver;
    receiver.Attach(comm);
    ASSERT_TRUE(comm.OpenPort());
    device.Send({0xFE, 0x03, 0x00, 0x00, 0x00});
    // Without the event loop running: the block and then the hangup request wait in the queue.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    device.HangUp();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    comm.ClosePort();
    RunEventsFor(std::chrono::milliseconds(200));
    EXPECT_TRUE(receiver.blocks.empty());
    EXPECT_EQ(receiver.hangups, 0);
}

TEST(SerialPortLog, EachOpenStartsANewLogWithEveryStepInOrder) {
    testing::TempDir dir;
    const std::string log = dir.File("comm.log");
    FakeDevice device(testing::AcceptAll);
    TVSSComm32 comm;
    ConfigureLikeEditor(comm, device.Path());
    comm.SetCommsLogFileName(log);
    EXPECT_EQ(CommsLogFileName(), log);
    Receiver receiver;
    receiver.Attach(comm);

    ASSERT_TRUE(comm.OpenPort());
    const Bytes handshake{0xFE, 0x08, 0x00, 0x00, 0x01, 0x01, 0x01, 0x00, 0x03, 0x00};
    ASSERT_TRUE(comm.WriteBlock(handshake.data(), 10));
    ASSERT_TRUE(RunEventsUntil([&] { return !receiver.blocks.empty(); }));
    // The reader arms its next read after handing the block over; a close that comes first
    // would end it before it logs so.
    ASSERT_TRUE(RunEventsUntil([&] {
        const auto lines = ReadLines(log);
        return std::count(lines.begin(), lines.end(), "Waiting for data from comm connection.") >=
               2;
    }));
    comm.ClosePort();

    const auto first = ReadLines(log);
    const std::string ioctl = "GetLastError returned: \"Inappropriate ioctl for device\"";
    EXPECT_TRUE(
        InOrder(first, {"Unable to raise DTR: " + ioctl, "Unable to raise RTS: " + ioctl,
                        "Stopping the Comm", "Closing Read Thread ", "Closing Write Thread"}));
    EXPECT_TRUE(InOrder(
        first, {"Line errors are not counted by this device; watching them is off: " + ioctl,
                "Waiting for data from comm connection.", "Got something from Comm port!!!",
                "Waiting for data from comm connection.", "Read thread shutting down",
                "Closing Write Thread"}));
    EXPECT_TRUE(InOrder(first, {"Writing to comm port", "Write thread shutting down"}));
    EXPECT_TRUE(InOrder(
        first, {"Closing Read Thread ", "Read thread shutting down", "Closing Write Thread"}));

    ASSERT_TRUE(comm.OpenPort());
    comm.ClosePort();
    const auto second = ReadLines(log);
    EXPECT_EQ(std::count(second.begin(), second.end(), "Writing to comm port"), 0)
        << "a new, empty log";
    EXPECT_EQ(std::count(second.begin(), second.end(), "Stopping the Comm"), 1);

    // With the port closed the log is closed too: nothing more is written to it.
    EXPECT_FALSE(comm.WriteBlock("x", 1));
    EXPECT_EQ(ReadLines(log), second);
    comm.SetCommsLogFileName("");
}

TEST(SerialPortLog, ASettingThePortRefusesIsLoggedAndTheOpenGoesOn) {
    testing::TempDir dir;
    FakeDevice device;
    TVSSComm32 comm;  // as created: 110 baud, 4 data bits, which no terminal carries
    comm.PortName = device.Path();
    comm.SetCommsLogFileName(dir.File("comm.log"));
    ASSERT_TRUE(comm.OpenPort());
    int baud = 0;
    ASSERT_EQ(ReadLineSpeed(device.SlaveFd(), baud), 0);
    EXPECT_EQ(baud, 110);
    comm.ClosePort();
    comm.SetCommsLogFileName("");
    EXPECT_TRUE(InOrder(ReadLines(dir.File("comm.log")),
                        {"Unable to SetCommState: GetLastError returned: \"Invalid argument\"",
                         "Stopping the Comm"}));
}

TEST(SerialPortLog, AnUnwritableLogStopsTheOpen) {
    testing::TempDir dir;
    FakeDevice device;
    TVSSComm32 comm;
    ConfigureLikeEditor(comm, device.Path());
    comm.SetCommsLogFileName(dir.File("no/such/folder/comm.log"));
    EXPECT_THROW(comm.OpenPort(), FileError);
    EXPECT_FALSE(comm.IsOpen());
    comm.SetCommsLogFileName("");
}

}  // namespace
}  // namespace kadr
