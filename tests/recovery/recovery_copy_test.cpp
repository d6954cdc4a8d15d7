// The recovery copy's format: everything the window holds comes back, anything damaged reads
// as no copy at all.
#include <gtest/gtest.h>

#include <random>

#include "frameset/recovery_copy.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

std::unique_ptr<FrameSet> Sample(int frames) {
    std::mt19937 rng(static_cast<unsigned>(frames) + 3);
    auto set = std::make_unique<FrameSet>();
    testing::FillRandom(*set, frames, rng);
    set->FileName = "/home/оператор/Бегущая строка.bin";
    set->CurFrame = frames / 2;
    set->SpeedAnim = 7;
    set->SpeedRow = 50;
    set->OrientationFlag = 1;
    return set;
}

TEST(RecoveryCopy, BringsBackTheWholeDocument) {
    for (const int frames : {0, 1, 5, kMaxFrames}) {
        const auto set = Sample(frames);
        if (frames == 0) {
            set->CurFrame = -1;
        }
        const std::int64_t when = 1'765'000'000'123;
        const auto bytes = EncodeRecoveryCopy(*set, when);
        // A few dozen bytes around the frames themselves.
        EXPECT_LT(bytes.size(), static_cast<std::size_t>(frames) * kFrameBytes + 100);
        const auto copy = DecodeRecoveryCopy(bytes);
        ASSERT_NE(copy, nullptr) << frames;
        EXPECT_EQ(copy->savedAtMs, when);
        const FrameSet& back = copy->set;
        EXPECT_EQ(back.FileName, set->FileName);
        EXPECT_EQ(back.LastFrame, frames - 1);
        EXPECT_EQ(back.CurFrame, set->CurFrame);
        EXPECT_EQ(back.SpeedAnim, 7);
        EXPECT_EQ(back.SpeedRow, 50);
        EXPECT_EQ(back.OrientationFlag, 1);
        for (int f = 0; f < frames; ++f) {
            EXPECT_EQ(back.Frames[static_cast<std::size_t>(f)],
                      set->Frames[static_cast<std::size_t>(f)])
                << f;
        }
        EXPECT_TRUE(SameDocument(back, *set));
    }
}

TEST(RecoveryCopy, AnUntitledDocumentHasNoName) {
    FrameSet set;
    const auto copy = DecodeRecoveryCopy(EncodeRecoveryCopy(set, 5));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->set.FileName, "");
    EXPECT_EQ(copy->set.LastFrame, 0);
}

TEST(RecoveryCopy, EveryCutOrDamagedCopyIsRefused) {
    const auto set = Sample(3);
    const auto bytes = EncodeRecoveryCopy(*set, 42);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const std::vector<std::uint8_t> cut(bytes.begin(),
                                            bytes.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(DecodeRecoveryCopy(cut), nullptr) << "cut to " << length;
    }
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        auto damaged = bytes;
        damaged[at] ^= 0x10;
        EXPECT_EQ(DecodeRecoveryCopy(damaged), nullptr) << "byte " << at;
    }
    auto longer = bytes;
    longer.push_back(0);
    EXPECT_EQ(DecodeRecoveryCopy(longer), nullptr);
    EXPECT_EQ(DecodeRecoveryCopy(std::vector<std::uint8_t>(200, 0)), nullptr);
}

TEST(SameDocument, SeesEveryPartOfTheDocumentButNotUnusedSlots) {
    const auto a = Sample(4);
    auto b = std::make_unique<FrameSet>(*a);
    b->Frames[200][7] ^= 1;  // a slot not in use
    EXPECT_TRUE(SameDocument(*a, *b));
    const std::vector<std::function<void(FrameSet&)>> changes{
        [](FrameSet& s) { s.Frames[3][100] ^= 1; }, [](FrameSet& s) { s.LastFrame = 2; },
        [](FrameSet& s) { s.CurFrame = 0; },        [](FrameSet& s) { s.SpeedAnim = 8; },
        [](FrameSet& s) { s.SpeedRow = 49; },       [](FrameSet& s) { s.OrientationFlag = 0; },
        [](FrameSet& s) { s.FileName += "x"; },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        auto changed = std::make_unique<FrameSet>(*a);
        changes[i](*changed);
        EXPECT_FALSE(SameDocument(*a, *changed)) << "change " << i;
    }
}

}  // namespace
}  // namespace kadr
