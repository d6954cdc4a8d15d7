#include <gtest/gtest.h>

#include <random>

#include "device/display_unit.h"
#include "device/upload_packets.h"
#include "frameset/frame_codec.h"
#include "tests/device/upload_rig.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using testing::Bytes;

std::vector<DisplayUnit::Answer> Feed(DisplayUnit& unit, const Bytes& bytes) {
    return unit.Feed(bytes.data(), bytes.size());
}

Bytes Statuses(const std::vector<DisplayUnit::Answer>& answers) {
    Bytes statuses;
    for (const auto& a : answers) {
        statuses.push_back(a.reply[2]);
    }
    return statuses;
}

// What the editor sends for a set, packet by packet.
std::vector<Bytes> Upload(const FrameSet& set) {
    std::vector<Bytes> packets{testing::HandshakeBytes(set)};
    const Bytes records = testing::RecordsOf(set);
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(64, records.size() - at);
        packets.push_back(testing::ExpectedDataPacket(records.data() + at, n));
        at += n;
    } while (at < records.size());
    return packets;
}

TEST(DisplayUnit, AnswersEachPacketAndStoresWhatTheEditorSent) {
    FrameSet sent;
    std::mt19937 rng(9);
    testing::FillRandom(sent, 3, rng);
    DisplayUnit unit;
    const auto packets = Upload(sent);
    for (std::size_t i = 0; i < packets.size(); ++i) {
        const auto answers = Feed(unit, packets[i]);
        ASSERT_EQ(answers.size(), 1u);
        const Reply expected = BuildReply(i == 0 ? 0 : 1);
        EXPECT_EQ(answers[0].reply, expected);
        EXPECT_EQ(answers[0].lastByte, packets[i].size() - 1);
        EXPECT_EQ(answers[0].completed, i + 1 == packets.size());
    }
    EXPECT_EQ(unit.CompletedUploads(), 1);
    const FrameSet& got = unit.Received();
    ASSERT_EQ(got.LastFrame, 2);
    EXPECT_EQ(EncodeHeader(got), EncodeHeader(sent));
    for (int f = 0; f < 3; ++f) {
        EXPECT_EQ(got.Frames[static_cast<std::size_t>(f)],
                  sent.Frames[static_cast<std::size_t>(f)]);
    }
}

TEST(DisplayUnit, AnEmptySetCompletesWithOneFilledPacket) {
    FrameSet empty;
    empty.LastFrame = -1;
    DisplayUnit unit;
    const auto packets = Upload(empty);
    ASSERT_EQ(packets.size(), 2u);
    Bytes both = packets[0];
    both.insert(both.end(), packets[1].begin(), packets[1].end());
    const auto answers = Feed(unit, both);  // one read holding both packets
    EXPECT_EQ(Statuses(answers), (Bytes{0, 1}));
    EXPECT_EQ(answers[0].lastByte, 9u);
    EXPECT_EQ(answers[1].lastByte, both.size() - 1);
    EXPECT_TRUE(answers[1].completed);
    EXPECT_EQ(unit.Received().LastFrame, -1);
}

TEST(DisplayUnit, BrokenPacketsGetNoReplyAndTheNextGoodOneDoes) {
    const FrameSet set;
    const Bytes good = testing::HandshakeBytes(set);
    Bytes badSum = good;
    badSum[9] ^= 1;
    Bytes badType = good;
    badType[2] = 2;
    badType[8] += 2;  // the sum still matches
    Bytes badLength = good;
    badLength[1] = 9;
    Bytes tooManyFrames = good;
    tooManyFrames[7] = 0x01;  // 257 frames
    tooManyFrames[9] += 1;
    for (const Bytes& bad : {badSum, badType, badLength, tooManyFrames}) {
        DisplayUnit unit;
        Bytes stream{0x00, 0x13};  // junk first
        stream.insert(stream.end(), bad.begin(), bad.end());
        EXPECT_TRUE(Feed(unit, stream).empty());
        EXPECT_EQ(Statuses(Feed(unit, good)), Bytes{0});
    }

    // A data packet with a short record must be filled with 0xFF.
    DisplayUnit unit;
    Feed(unit, good);
    Bytes record(56, 0x00);
    Bytes unfilled = testing::ExpectedDataPacket(record.data(), 56);
    unfilled[3 + 60] = 0x00;
    unfilled[67] = static_cast<std::uint8_t>(unfilled[67] - 0xFF);
    EXPECT_TRUE(Feed(unit, unfilled).empty());
}

TEST(DisplayUnit, PacketsSplitAcrossReadsAreJoined) {
    const Bytes packet = testing::HandshakeBytes(FrameSet());
    DisplayUnit unit;
    for (std::size_t i = 0; i + 1 < packet.size(); ++i) {
        EXPECT_TRUE(unit.Feed(&packet[i], 1).empty());
    }
    const auto answers = unit.Feed(&packet.back(), 1);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].lastByte, 0u);
}

}  // namespace
}  // namespace kadr
