#include <gtest/gtest.h>

#include <random>

#include "frameset/frame_codec.h"
#include "frameset/frame_kinds.h"
#include "tests/support/frames.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

Frame Blank() {
    return testing::BlankFrame();
}

// Every byte of the record equals `fill` except the ones listed.
void ExpectRecord(const FrameRecord& record, std::uint8_t fill,
                  std::initializer_list<std::pair<int, std::uint8_t>> except = {}) {
    FrameRecord expected;
    expected.fill(fill);
    for (auto [offset, value] : except) {
        expected[static_cast<std::size_t>(offset)] = value;
    }
    EXPECT_EQ(record, expected);
}

TEST(FrameRecord, SingleDotsLandInTheirModuleColumnByte) {
    Frame frame = Blank();
    frame[CellIndex(0, 1)] = kDotSet;  // top left of h4, just under its mark row
    ExpectRecord(EncodeFrame(frame), 0xFF, {{7, 0xBF}});

    frame = Blank();
    frame[CellIndex(27, 15)] = kDotSet;  // bottom right of l1
    ExpectRecord(EncodeFrame(frame), 0xFF, {{48, 0xFE}});
}

TEST(FrameRecord, EveryCellHasItsOwnBitAtTheDocumentedOffset) {
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            Frame frame = Blank();
            frame[CellIndex(c, r)] = kDotSet;
            const FrameRecord record = EncodeFrame(frame);
            const int mr = r / 8;
            const int mc = c / 7;
            const int offset = RecordOffset(c % 7, mr, mc);
            const std::uint8_t expected = static_cast<std::uint8_t>(0xFF & ~(0x80 >> (r % 8)));
            ExpectRecord(record, 0xFF, {{offset, expected}});
        }
    }
}

TEST(FrameRecord, KindsShowInBitSeven) {
    Frame frame = Blank();
    SetStr(frame);
    ExpectRecord(EncodeFrame(frame), 0x7F);

    frame = Blank();
    SetBegStr(frame);
    FrameRecord record = EncodeFrame(frame);
    for (int i = 0; i < kRecordBytes; ++i) {
        EXPECT_EQ(record[static_cast<std::size_t>(i)], i < 48 ? 0xFF : 0x7F) << "offset " << i;
    }

    SetEndStr(frame);
    record = EncodeFrame(frame);
    for (int i = 0; i < kRecordBytes; ++i) {
        EXPECT_EQ(record[static_cast<std::size_t>(i)], i < 48 ? 0x7F : 0xFF) << "offset " << i;
    }
}

TEST(FrameRecord, DecodeInvertsEncodeForRandomFrames) {
    std::mt19937 rng(7);
    for (int i = 0; i < 500; ++i) {
        const Frame frame = testing::RandomFrame(rng);
        Frame decoded = Blank();
        const FrameRecord record = EncodeFrame(frame);
        DecodeFrame(record.data(), decoded);
        ASSERT_EQ(decoded, frame);
    }
}

TEST(FrameRecord, EncodeInvertsDecodeForRandomBytes) {
    std::mt19937 rng(11);
    for (int i = 0; i < 500; ++i) {
        FrameRecord record;
        for (auto& byte : record) {
            byte = static_cast<std::uint8_t>(rng());
        }
        Frame frame;
        frame.fill(7);  // decoding must overwrite every cell, and only with 0 or 1
        DecodeFrame(record.data(), frame);
        for (std::uint8_t cell : frame) {
            ASSERT_LE(cell, 1);
        }
        ASSERT_EQ(EncodeFrame(frame), record);
    }
}

TEST(ModuleRecord, HoldsTheSameBytesAsTheFrameRecord) {
    std::mt19937 rng(3);
    for (int i = 0; i < 100; ++i) {
        const Frame frame = testing::RandomFrame(rng);
        const FrameRecord record = EncodeFrame(frame);
        for (int mr = 0; mr < 2; ++mr) {
            for (int mc = 0; mc < 4; ++mc) {
                const ModuleRecord module = EncodeModule(frame, mr, mc);
                for (int k = 0; k < 7; ++k) {
                    ASSERT_EQ(module[static_cast<std::size_t>(k)],
                              record[static_cast<std::size_t>(RecordOffset(k, mr, mc))]);
                }
            }
        }
    }
}

TEST(ModuleRecord, DecodeTouchesOnlyItsOwnModule) {
    std::mt19937 rng(5);
    const Frame source = testing::RandomFrame(rng);
    Frame target = Blank();
    const ModuleRecord record = EncodeModule(source, 1, 2);  // l2: columns 14..20, rows 8..15
    DecodeModule(record.data(), 1, 2, target);
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const bool inside = c >= 14 && c <= 20 && r >= 8;
            EXPECT_EQ(target[CellIndex(c, r)], inside ? source[CellIndex(c, r)] : kDotBlank)
                << c << "," << r;
        }
    }
}

TEST(Header, WritesLowBitsAndReadsWithClamping) {
    FrameSet set;
    set.LastFrame = 299 - 1;  // not reachable in the editor; shows the 16-bit little-endian count
    set.OrientationFlag = 1;
    set.SpeedAnim = 0x1FF;  // a typed, not yet committed value: only its low byte is stored
    set.SpeedRow = 50;
    EXPECT_EQ(EncodeHeader(set), (Header{1, 0xFF, 50, 0x2B, 0x01}));

    const std::uint8_t odd[] = {2, 0, 99, 7, 0};
    ApplyHeader(odd, set);
    EXPECT_EQ(set.OrientationFlag, 1);
    EXPECT_EQ(set.SpeedAnim, 1);
    EXPECT_EQ(set.SpeedRow, 50);
    set.LastFrame = 0;
    EXPECT_EQ(EncodeHeader(set), (Header{1, 1, 50, 1, 0}));
}

}  // namespace
}  // namespace kadr
