#include <gtest/gtest.h>

#include <QTimer>
#include <atomic>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>
#include <system_error>

#include "device/comms_error.h"
#include "device/comms_log.h"
#include "device/display_unit.h"
#include "device/upload_packets.h"
#include "device/upload_texts.h"
#include "frameset/frame_codec.h"
#include "tests/device/event_loop.h"
#include "tests/device/upload_rig.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using testing::AcceptAll;
using testing::Bytes;
using testing::Chunk;
using testing::ExpectedDataPacket;
using testing::FakeDevice;
using testing::OfType;
using testing::RecordsOf;
using testing::ReplyBytes;
using testing::UploadRig;

const Bytes kWorkedHandshake{0xFE, 0x08, 0x00, 0x00, 0x01, 0x01, 0x01, 0x00, 0x03, 0x00};

Bytes WorkedBlankDataPacket() {
    Bytes packet{0xFE, 0x43, 0x01};
    packet.resize(3 + 64, 0xFF);
    packet.push_back(0xC1);
    packet.push_back(0x3F);
    return packet;
}

std::vector<std::string> EndingWith(const char* outcome) {
    return {std::string("status:") + outcome, std::string("window:") + outcome,
            "status:", std::string("caption:") + kCaptionUpload};
}

// The shown texts after the start, with the repeated "Программирование" folded into one.
std::vector<std::string> Folded(const std::vector<std::string>& shown) {
    std::vector<std::string> folded;
    for (const std::string& s : shown) {
        if (folded.empty() || folded.back() != s) {
            folded.push_back(s);
        }
    }
    return folded;
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<std::string> kStart{std::string("caption:") + kCaptionAbort,
                                      std::string("status:") + kStatusHandshake};

TEST(UploadPackets, WorkedExamplesByteForByte) {
    FrameSet set;  // one blank frame, normal, speeds 1
    const HandshakePacket handshake = BuildHandshakePacket(EncodeHeader(set));
    EXPECT_EQ(Bytes(handshake.begin(), handshake.end()), kWorkedHandshake);
    const FrameRecord blank = EncodeFrame(set.Frames[0]);
    const DataPacket data = BuildDataPacket(blank.data(), blank.size());
    EXPECT_EQ(Bytes(data.begin(), data.end()), WorkedBlankDataPacket());
    const Reply accepted = BuildReply(1);
    EXPECT_EQ(Bytes(accepted.begin(), accepted.end()), ReplyBytes(1));
    // The sum wraps at 16 bits.
    const Bytes ones(64, 0xFF);
    const DataPacket full = BuildDataPacket(ones.data(), 64);
    EXPECT_EQ(full[67], 0xC1);
    EXPECT_EQ(full[68], 0x3F);
}

TEST(Upload, OneBlankFrameGoesAsTheWorkedPacketsAndCompletes) {
    FakeDevice device(AcceptAll);
    UploadRig rig(device);
    ASSERT_EQ(rig.Run(), UploadOutcome::Completed);

    const auto packets = device.Packets();
    const auto handshakes = OfType(packets, 0);
    ASSERT_GE(handshakes.size(), 1u);
    for (const Bytes& h : handshakes) {
        EXPECT_EQ(h, kWorkedHandshake);
    }
    EXPECT_EQ(OfType(packets, 1), std::vector<Bytes>{WorkedBlankDataPacket()});
    EXPECT_EQ(Folded(rig.owner.shown),
              Concat(Concat(kStart, {std::string("status:") + kStatusProgramming}),
                     EndingWith(kStatusCompleted)));
    // On completion the port is closed only after the status window.
    EXPECT_EQ(rig.owner.portOpenUnderWindow, std::vector<bool>{true});
    EXPECT_FALSE(rig.owner.portOpenAtEnd);
    const UploadState& state = rig.upload.State();
    EXPECT_FALSE(state.UploadActive);
    EXPECT_EQ(state.UploadStage, 2);
    EXPECT_EQ(state.BytesSent, 0);
    EXPECT_TRUE(state.LastPacketSent);
    EXPECT_FALSE(rig.upload.RepeaterRunning());
    EXPECT_FALSE(rig.upload.SendTimeoutRunning());
    EXPECT_EQ(rig.owner.progress, (std::vector<std::pair<int, int>>{{1, 1}}));
}

struct FrameCountCase {
    int frames;
    std::size_t dataPackets;
};

void PrintTo(const FrameCountCase& c, std::ostream* os) {
    *os << c.frames << " frames";
}

class UploadFrameCounts : public ::testing::TestWithParam<FrameCountCase> {};

TEST_P(UploadFrameCounts, DataPacketsCarryTheRecordsThenFill) {
    const FrameCountCase c = GetParam();
    FakeDevice device(AcceptAll);
    UploadRig rig(device);
    std::mt19937 rng(static_cast<unsigned>(c.frames) + 5);
    testing::FillRandom(*rig.set, c.frames, rng);
    const Bytes records = RecordsOf(*rig.set);
    ASSERT_EQ(rig.Run(), UploadOutcome::Completed);

    const auto packets = device.Packets();
    const auto handshakes = OfType(packets, 0);
    ASSERT_FALSE(handshakes.empty());
    EXPECT_EQ(handshakes[0][6], c.frames & 0xFF);
    EXPECT_EQ(handshakes[0][7], c.frames >> 8);
    const auto data = OfType(packets, 1);
    ASSERT_EQ(data.size(), c.dataPackets);
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::size_t from = std::min(records.size(), i * 64);
        const std::size_t n = std::min<std::size_t>(64, records.size() - from);
        EXPECT_EQ(data[i], ExpectedDataPacket(records.data() + from, n)) << "packet " << i;
    }
    EXPECT_EQ(rig.owner.progress.back(),
              std::make_pair(static_cast<int>(c.dataPackets), static_cast<int>(c.dataPackets)));
}

INSTANTIATE_TEST_SUITE_P(
    Sets, UploadFrameCounts,
    ::testing::Values(FrameCountCase{1, 1},   // 56 bytes and 8 of 0xFF
                      FrameCountCase{8, 7},   // 448 bytes, no filling
                      FrameCountCase{0, 1},   // nothing: 64 bytes of 0xFF
                      FrameCountCase{9, 8}),  // 504 bytes, the last packet short
    [](const auto& info) { return "Frames" + std::to_string(info.param.frames); });

TEST(Upload, SilentDeviceGetsTheHandshakeRepeatedUntilTheTimeOut) {
    FakeDevice device;
    UploadRig rig(device);
    rig.upload.SetSendTimeoutInterval(500);
    ASSERT_EQ(rig.Run(), UploadOutcome::NoReply);

    const auto packets = device.Packets();
    EXPECT_GE(packets.size(), 3u) << "every 60 ms for 500 ms";
    for (const Bytes& p : packets) {
        EXPECT_EQ(p, kWorkedHandshake);
    }
    EXPECT_EQ(Folded(rig.owner.shown), Concat(kStart, EndingWith(kStatusNoReply)));
    EXPECT_EQ(rig.owner.portOpenUnderWindow, std::vector<bool>{false});
    EXPECT_FALSE(rig.upload.RepeaterRunning());
    EXPECT_FALSE(rig.upload.State().UploadActive);
}

// Answers handshakes with `reply` (one write), data packets normally.
testing::Responder HandshakeAnswer(std::vector<Chunk> reply) {
    return [reply](const Bytes& packet, int) {
        return packet[2] == 0 ? reply : std::vector<Chunk>{{ReplyBytes(1), 0}};
    };
}

TEST(UploadReplies, FoundAnywhereInABlockAmidOtherBytes) {
    Bytes noisy{0x00, 0xFE, 0xFE, 0x03, 0x01, 0x13};  // junk, a stray start byte, a wrong status
    const Bytes reply = ReplyBytes(0);
    noisy.insert(noisy.end(), reply.begin(), reply.end());
    noisy.insert(noisy.end(), {0xFE, 0x03, 0x55, 0x11, 0x0D, 0x0A});
    FakeDevice device(HandshakeAnswer({{noisy, 0}}));
    UploadRig rig(device);
    EXPECT_EQ(rig.Run(), UploadOutcome::Completed);
    EXPECT_EQ(OfType(device.Packets(), 1).size(), 1u);
}

TEST(UploadReplies, ThatDoNotCountEndInTheTimeOut) {
    const std::vector<std::vector<Chunk>> unrecognised{
        {{{0xFE, 0x03}, 0}, {{0x00, 0x00, 0x00}, 200}},  // split across two blocks
        {{{0x11, 0xFE, 0x03, 0x00, 0x00}, 0}},           // five bytes from 0xFE do not fit
        {{ReplyBytes(1), 0}},                            // status 1 during the handshake
    };
    for (const auto& answer : unrecognised) {
        FakeDevice device(HandshakeAnswer(answer));
        UploadRig rig(device);
        rig.upload.SetSendTimeoutInterval(600);
        EXPECT_EQ(rig.Run(), UploadOutcome::NoReply);
        EXPECT_TRUE(OfType(device.Packets(), 1).empty());
        EXPECT_EQ(rig.upload.State().UploadStage, 0);
    }
}

TEST(UploadReplies, StatusZeroDuringProgrammingChangesNothing) {
    FakeDevice device([](const Bytes&, int) { return std::vector<Chunk>{{ReplyBytes(0), 0}}; });
    UploadRig rig(device);
    rig.upload.SetSendTimeoutInterval(600);
    EXPECT_EQ(rig.Run(), UploadOutcome::NoReply);
    EXPECT_EQ(OfType(device.Packets(), 1).size(), 1u);
    EXPECT_EQ(rig.upload.State().UploadStage, 1);
}

TEST(UploadReplies, TwoRepliesInOneBlockAdvanceTwice) {
    std::atomic<bool> answered{false};
    Bytes both = ReplyBytes(0);
    const Bytes data = ReplyBytes(1);
    both.insert(both.end(), data.begin(), data.end());
    FakeDevice device([&](const Bytes& packet, int) {
        if (packet[2] == 0) {
            // Only the first handshake: a repeated one answered twice over would advance again.
            return answered.exchange(true) ? std::vector<Chunk>{} : std::vector<Chunk>{{both, 0}};
        }
        // Apart, so that the replies to two data packets sent together do not share a block.
        return std::vector<Chunk>{{data, 150}};
    });
    UploadRig rig(device);
    std::mt19937 rng(3);
    testing::FillRandom(*rig.set, 3, rng);
    const Bytes records = RecordsOf(*rig.set);
    ASSERT_EQ(rig.Run(), UploadOutcome::Completed);
    // The block accepted the handshake and the first data packet: the second went out at once,
    // and the reply to the second completed the upload.
    testing::RunEventsUntil([&] { return OfType(device.Packets(), 1).size() >= 3; },
                            std::chrono::seconds(2));
    const auto sent = OfType(device.Packets(), 1);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[2], ExpectedDataPacket(records.data() + 128, 40));
}

TEST(Upload, DeviceFallingSilentMidWayEndsItWithoutResending) {
    std::atomic<int> dataPackets{0};
    FakeDevice device([&](const Bytes& packet, int) {
        // Handshakes and the first two data packets are answered, then nothing.
        const bool answer = packet[2] == 0 || dataPackets++ < 2;
        return answer ? std::vector<Chunk>{{ReplyBytes(packet[2]), 0}} : std::vector<Chunk>{};
    });
    UploadRig rig(device);
    std::mt19937 rng(4);
    testing::FillRandom(*rig.set, 4, rng);
    const Bytes records = RecordsOf(*rig.set);
    rig.upload.SetSendTimeoutInterval(600);
    ASSERT_EQ(rig.Run(), UploadOutcome::NoReply);
    const auto sent = OfType(device.Packets(), 1);
    ASSERT_EQ(sent.size(), 3u);
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i], ExpectedDataPacket(records.data() + 64 * i, 64));
    }
    EXPECT_EQ(rig.owner.portOpenUnderWindow, std::vector<bool>{false});
}

TEST(Upload, ADeviceThatVanishesDuringProgrammingEndsItAtOnce) {
    FakeDevice device(AcceptAll);
    UploadRig rig(device);
    std::mt19937 rng(6);
    testing::FillRandom(*rig.set, 6, rng);
    rig.upload.SetSendTimeoutInterval(10000);  // far beyond what the test waits
    rig.owner.onProgress = [&](int sent) {
        if (sent == 2) {
            device.HangUp();  // the adapter pulled out: its side of the line is gone
        }
    };
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(rig.Run(), UploadOutcome::ConnectionLost);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5))
        << "waited for the reply time-out";
    EXPECT_EQ(Folded(rig.owner.shown),
              Concat(Concat(kStart, {std::string("status:") + kStatusProgramming}),
                     EndingWith(kStatusConnectionLost)));
    EXPECT_EQ(rig.owner.portOpenUnderWindow, std::vector<bool>{false});
    EXPECT_FALSE(rig.owner.portOpenAtEnd);
    EXPECT_FALSE(rig.upload.RepeaterRunning());
    EXPECT_FALSE(rig.upload.SendTimeoutRunning());
    EXPECT_FALSE(rig.upload.State().UploadActive);
    EXPECT_EQ(rig.upload.State().UploadStage, 1);
    // Nothing of the lost line comes back later (the writer's own hangup included).
    const auto shown = rig.owner.shown;
    testing::RunEventsFor(std::chrono::milliseconds(300));
    EXPECT_EQ(rig.owner.shown, shown);
}

TEST(Upload, AHangupWhileIdleOrUnderTheCompletionWindowChangesNothing) {
    FakeDevice device(AcceptAll);
    UploadRig rig(device);
    rig.upload.VSSComm321RequestHangup();
    EXPECT_TRUE(rig.owner.shown.empty());
    ASSERT_EQ(rig.Run(), UploadOutcome::Completed);
    const auto shown = rig.owner.shown;
    rig.upload.VSSComm321RequestHangup();
    EXPECT_EQ(rig.owner.shown, shown);
    EXPECT_EQ(rig.owner.outcome, UploadOutcome::Completed);
}

TEST(Upload, ButtonAbortsEitherStageAndTheNextPressStartsAfresh) {
    std::atomic<int> answering{0};  // 0 silent, 1 handshake and one data packet, 2 everything
    std::atomic<int> dataAnswered{0};
    FakeDevice device([&](const Bytes& packet, int) {
        const int mode = answering.load();
        if (mode == 0 || (mode == 1 && packet[2] == 1 && dataAnswered++ >= 1)) {
            return std::vector<Chunk>{};
        }
        return std::vector<Chunk>{{ReplyBytes(packet[2]), 0}};
    });
    UploadRig rig(device);
    std::mt19937 rng(5);
    testing::FillRandom(*rig.set, 5, rng);

    QTimer::singleShot(200, [&] { rig.upload.RxSpeedButton1Click(); });
    ASSERT_EQ(rig.Run(), UploadOutcome::Aborted);
    EXPECT_EQ(
        Folded(rig.owner.shown),
        Concat({std::string("caption:") + kCaptionAbort, std::string("status:") + kStatusHandshake,
                std::string("caption:") + kCaptionUpload},
               {std::string("status:") + kStatusAborted, std::string("window:") + kStatusAborted,
                "status:"}));
    EXPECT_EQ(rig.owner.portOpenUnderWindow, std::vector<bool>{false});
    EXPECT_FALSE(rig.upload.RepeaterRunning());
    EXPECT_FALSE(rig.upload.SendTimeoutRunning());
    EXPECT_TRUE(OfType(device.Packets(), 1).empty());

    // During programming: pressed once the second data packet has gone out.
    answering = 1;
    rig.owner.onProgress = [&](int sent) {
        if (sent == 2) {
            QTimer::singleShot(0, [&] { rig.upload.RxSpeedButton1Click(); });
        }
    };
    const std::size_t before = device.Packets().size();
    ASSERT_EQ(rig.Run(), UploadOutcome::Aborted);
    EXPECT_EQ(rig.upload.State().UploadStage, 1);
    const auto packets = device.Packets();
    const std::vector<Bytes> second(packets.begin() + static_cast<long>(before), packets.end());
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second.front()[2], 0) << "a new upload begins with the handshake";

    answering = 2;
    rig.owner.onProgress = nullptr;
    EXPECT_EQ(rig.Run(), UploadOutcome::Completed);
}

TEST(Upload, HandshakeFollowsTheDocumentWhileTheDataWasCapturedAtTheStart) {
    FakeDevice device([](const Bytes& packet, int) {
        // Only a handshake that carries the changed settings is answered.
        const bool wanted = packet[2] == 1 || (packet[3] == 1 && packet[4] == 7 && packet[5] == 9);
        return wanted ? std::vector<Chunk>{{ReplyBytes(packet[2]), 0}} : std::vector<Chunk>{};
    });
    UploadRig rig(device);
    std::mt19937 rng(2);
    testing::FillRandom(*rig.set, 2, rng);
    rig.set->OrientationFlag = 0;
    rig.set->SpeedAnim = 1;
    rig.set->SpeedRow = 1;
    const Bytes records = RecordsOf(*rig.set);
    QTimer::singleShot(150, [&] {
        rig.set->OrientationFlag = 1;
        rig.set->SpeedAnim = 7;
        rig.set->SpeedRow = 9;
        rig.set->Frames[0].fill(kDotSet);
    });
    ASSERT_EQ(rig.Run(), UploadOutcome::Completed);
    const auto handshakes = OfType(device.Packets(), 0);
    ASSERT_GE(handshakes.size(), 2u);
    EXPECT_EQ(handshakes.front()[4], 1);
    EXPECT_EQ(handshakes.back()[4], 7);
    const auto data = OfType(device.Packets(), 1);
    ASSERT_EQ(data.size(), 2u);
    EXPECT_EQ(data[0], ExpectedDataPacket(records.data(), 64));
    EXPECT_EQ(data[1], ExpectedDataPacket(records.data() + 64, 48));
}

// A frame inserted while the handshake is still unanswered: every handshake announces the
// frames that were captured, so the virtual display unit receives the whole announced set.
TEST(Upload, AFrameInsertedDuringTheHandshakeIsNotAnnounced) {
    std::mutex unitMutex;
    DisplayUnit unit;
    std::atomic<bool> edited{false};
    FakeDevice device([&](const Bytes& packet, int) {
        if (packet[2] == 0 && !edited) {
            return std::vector<Chunk>{};  // the handshake goes unanswered until the edit
        }
        std::lock_guard lock(unitMutex);
        std::vector<Chunk> replies;
        for (const DisplayUnit::Answer& answer : unit.Feed(packet.data(), packet.size())) {
            replies.push_back({Bytes(answer.reply.begin(), answer.reply.end()), 0});
        }
        return replies;
    });
    UploadRig rig(device);
    std::mt19937 rng(8);
    testing::FillRandom(*rig.set, 2, rng);
    const Bytes records = RecordsOf(*rig.set);
    QTimer::singleShot(150, [&] {
        // What Ins does to the set: one more frame in use.
        rig.set->Frames[2].fill(kDotBlank);
        rig.set->LastFrame = 2;
        rig.set->SpeedAnim = 5;
        edited = true;
    });
    ASSERT_EQ(rig.Run(), UploadOutcome::Completed);

    const auto handshakes = OfType(device.Packets(), 0);
    ASSERT_GE(handshakes.size(), 2u);
    for (const Bytes& h : handshakes) {
        EXPECT_EQ(h[6], 2);
        EXPECT_EQ(h[7], 0);
    }
    EXPECT_EQ(handshakes.back()[4], 5) << "the speed still follows the document";
    std::lock_guard lock(unitMutex);
    ASSERT_EQ(unit.CompletedUploads(), 1) << "the unit waited for a frame that never came";
    EXPECT_EQ(RecordsOf(unit.Received()), records);
    EXPECT_EQ(unit.Received().SpeedAnim, 5);
}

TEST(Upload, APortThatCannotBeOpenedLeavesItIdle) {
    testing::TempDir dir;
    FakeDevice device;
    UploadRig rig(device);
    rig.comm.PortName = dir.File("absent");
    try {
        rig.upload.RxSpeedButton1Click();
        FAIL() << "opened an absent port";
    } catch (const ECommsError& e) {
        EXPECT_STREQ(e.what(), "Error opening com port");
    }
    EXPECT_EQ(rig.owner.shown,
              (std::vector<std::string>{std::string("caption:") + kCaptionAbort,
                                        std::string("caption:") + kCaptionUpload}));
    EXPECT_FALSE(rig.upload.State().UploadActive);
    EXPECT_FALSE(rig.upload.RepeaterRunning());

    rig.comm.PortName = device.Path();
    ASSERT_TRUE(rig.comm.OpenPort());
    EXPECT_THROW(rig.upload.StartUpload(), ECommsError);  // already open
    EXPECT_FALSE(rig.upload.State().UploadActive);
}

TEST(Upload, AnOpenThatFailedPartWayIsReleasedForTheNextPress) {
    FakeDevice device(AcceptAll);
    for (const std::string refused : {"Read", "Write"}) {
        UploadRig rig(device);
        rig.comm.StartingWorker = [refused](std::string_view worker) {
            if (worker == refused) {
                throw std::system_error(EAGAIN, std::generic_category());
            }
        };
        try {
            rig.upload.RxSpeedButton1Click();
            FAIL() << "started without a " << refused << " thread";
        } catch (const ECommsError& e) {
            EXPECT_EQ(e.what(), "Unable to create " + refused + " thread");
        }
        EXPECT_FALSE(rig.comm.IsOpen()) << refused;
        EXPECT_FALSE(rig.upload.State().UploadActive);
        rig.comm.StartingWorker = nullptr;
        EXPECT_EQ(rig.Run(), UploadOutcome::Completed) << "the next press opens the port";
    }
}

TEST(Upload, AFailedOpenClosesTheLogItStarted) {
    testing::TempDir dir;
    const std::string log = dir.File("comm.log");
    FakeDevice device;
    UploadRig rig(device);
    rig.comm.SetCommsLogFileName(log);
    rig.comm.PortName = dir.File("absent");
    EXPECT_THROW(rig.upload.StartUpload(), ECommsError);
    LogLine("written after the failed open");
    rig.comm.SetCommsLogFileName("");
    std::ifstream in(log);
    const std::string content((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(content.find("written after"), std::string::npos) << "the log was left open";
}

TEST(Upload, ANewReplyTimeOutTakesEffectAtOnce) {
    FakeDevice device;
    UploadRig rig(device);
    rig.upload.SetSendTimeoutInterval(20000);
    rig.upload.StartUpload();
    testing::RunEventsFor(std::chrono::milliseconds(100));
    rig.upload.SetSendTimeoutInterval(300);
    EXPECT_TRUE(testing::RunEventsUntil([&] { return rig.owner.outcome.has_value(); },
                                        std::chrono::seconds(8)));
    EXPECT_EQ(rig.owner.outcome, UploadOutcome::NoReply);
}

TEST(Upload, BlocksArrivingWhileIdleAreIgnored) {
    FakeDevice device(AcceptAll);
    UploadRig rig(device);
    ASSERT_TRUE(rig.comm.OpenPort());  // open without an upload running
    const auto shown = rig.owner.shown;
    Bytes replies = ReplyBytes(0);
    replies.insert(replies.end(), {0xFE, 0x03, 0x01, 0x01, 0x00});
    device.Send(replies);
    testing::RunEventsFor(std::chrono::milliseconds(200));
    EXPECT_EQ(rig.owner.shown, shown);
    EXPECT_TRUE(device.Packets().empty());
}

}  // namespace
}  // namespace kadr
