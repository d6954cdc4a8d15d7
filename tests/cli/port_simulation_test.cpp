// `kadr simulate --port`'s serving loop on a scripted port: what it answers and how it ends.
#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

#include "cli/cli_support.h"
#include "cli/port_simulation.h"
#include "cli/stop_signals.h"
#include "device/serial_device.h"
#include "device/upload_packets.h"
#include "frameset/frame_codec.h"

namespace kadr::cli {
namespace {

// Delivers one handshake, then reports a broken line or a stop as told; takes writes or
// refuses them with an error number.
class ScriptedPort : public SerialDevice {
  public:
    explicit ScriptedPort(IoResult::Status writeStatus) : writeStatus_(writeStatus) {}

    int ApplyLineSettings(const LineSettings&) override { return 0; }
    int SetReadInterval(int) override { return 0; }
    int SetDtr(bool) override { return 0; }
    int SetRts(bool) override { return 0; }
    int StartLineErrorWatch() override { return 0; }
    IoResult Read(std::uint8_t* buffer, std::size_t capacity, const ShutdownEvent&) override {
        ++reads;
        if (reads > 1) {
            return {IoResult::Status::Shutdown, 0, 0, 0};
        }
        FrameSet set;
        const HandshakePacket packet = BuildHandshakePacket(EncodeHeader(set));
        EXPECT_GE(capacity, packet.size());
        std::copy(packet.begin(), packet.end(), buffer);
        return {IoResult::Status::Done, packet.size(), 0, 0};
    }
    IoResult Write(const std::uint8_t* bytes, std::size_t count, const ShutdownEvent&) override {
        if (writeStatus_ != IoResult::Status::Done) {
            return {writeStatus_, 0, EIO, 0};
        }
        written.insert(written.end(), bytes, bytes + count);
        return {IoResult::Status::Done, count, 0, 0};
    }
    void PurgeReceive() override {}
    void PurgeTransmit() override {}

    int reads = 0;
    std::vector<std::uint8_t> written;

  private:
    IoResult::Status writeStatus_;
};

int Serve(ScriptedPort& port) {
    StopSignals stops;
    PortSimulation options;
    options.port = "scripted";
    return ServeDevice(port, options, stops);
}

TEST(PortSimulation, AnswersTheHandshakeAndEndsCleanlyOnAStop) {
    ScriptedPort port(IoResult::Status::Done);
    EXPECT_EQ(Serve(port), kExitOk);
    const Reply accepted = BuildReply(0);
    EXPECT_EQ(port.written, std::vector<std::uint8_t>(accepted.begin(), accepted.end()));
}

TEST(PortSimulation, AReplyThatCannotBeWrittenIsAFailure) {
    for (const auto status : {IoResult::Status::Failed, IoResult::Status::InvalidHandle}) {
        ScriptedPort port(status);
        testing::internal::CaptureStderr();
        EXPECT_EQ(Serve(port), kExitFailed);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("cannot write the reply"), std::string::npos) << err;
        EXPECT_EQ(port.reads, 1) << "the loop ends at the failed write";
    }
}

TEST(PortSimulation, AStopDuringTheReplyIsNoFailure) {
    ScriptedPort port(IoResult::Status::Shutdown);
    EXPECT_EQ(Serve(port), kExitOk);
}

}  // namespace
}  // namespace kadr::cli
