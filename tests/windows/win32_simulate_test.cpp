// kadr simulate --port on Windows: the virtual display unit serving one end of a null-modem
// pair, stopped by the console's stop request.
#include <gtest/gtest.h>
#include <windows.h>

#include <future>
#include <thread>

#include "cli/port_simulation.h"
#include "cli/stop_signals.h"
#include "device/comms_error.h"
#include "device/upload_packets.h"
#include "frameset/display_file.h"
#include "tests/support/temp_dir.h"
#include "tests/windows/win32_test_support.h"

namespace kadr::testing {
namespace {

using namespace std::chrono_literals;

std::vector<std::uint8_t> Bytes(const auto& packet) {
    return {packet.begin(), packet.end()};
}

class SimulatePort : public ::testing::Test {
  protected:
    void SetUp() override {
        // The simulator takes the peer port; the test uploads through the port under test.
        uploader_ = std::make_unique<PeerEnd>(PortUnderTest());
        if (!uploader_->IsOpen()) {
            if (PortsRequired()) {
                FAIL() << "cannot open " << PortUnderTest();
            }
            GTEST_SKIP() << "no null-modem pair: set KADR_TEST_PORT and KADR_TEST_PEER";
        }
    }
    std::unique_ptr<PeerEnd> uploader_;
};

TEST_F(SimulatePort, AnUploadThroughANullModemPairIsAnsweredAndSaved) {
    TempDir dir;
    cli::PortSimulation options;
    options.port = PeerPort();
    options.save = dir.File("got.kdz");
    options.once = true;
    cli::StopSignals stops;
    auto served = std::async(std::launch::async, [&] { return cli::ServePort(options, stops); });
    std::this_thread::sleep_for(200ms);

    FrameSet set;
    set.LastFrame = 0;
    set.Frames[0][30] = 0;
    uploader_->Write(Bytes(BuildHandshakePacket(EncodeHeader(set))));
    EXPECT_EQ(uploader_->Read(kReplyBytes, 3000ms), Bytes(BuildReply(0)));
    const FrameRecord record = EncodeFrame(set.Frames[0]);
    uploader_->Write(Bytes(BuildDataPacket(record.data(), record.size())));
    EXPECT_EQ(uploader_->Read(kReplyBytes, 3000ms), Bytes(BuildReply(1)));

    ASSERT_EQ(served.wait_for(5s), std::future_status::ready) << "--once did not end it";
    EXPECT_EQ(served.get(), 0);
    WriteDisplayFile(dir.File("sent.kdz"), set);
    EXPECT_EQ(ReadBytes(dir.File("got.kdz")), ReadBytes(dir.File("sent.kdz")));
}

TEST_F(SimulatePort, AStopRequestEndsTheServingAtOnce) {
    cli::PortSimulation options;
    options.port = PeerPort();
    cli::StopSignals stops;
    EXPECT_FALSE(stops.WaitFor(0ms));
    auto served = std::async(std::launch::async, [&] { return cli::ServePort(options, stops); });
    std::this_thread::sleep_for(200ms);
    // What the console's control handler does on Ctrl+C.
    SetEvent(stops.Native());
    ASSERT_EQ(served.wait_for(3s), std::future_status::ready);
    EXPECT_EQ(served.get(), 0);
    EXPECT_FALSE(stops.Take()) << "the serving took the request";
}

TEST(SimulatePortOpen, AnAbsentPortIsRefused) {
    cli::PortSimulation options;
    options.port = "\\\\.\\COM42";
    cli::StopSignals stops;
    EXPECT_THROW(cli::ServePort(options, stops), ECommsError);
}

}  // namespace
}  // namespace kadr::testing
