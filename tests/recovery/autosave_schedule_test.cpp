// When the recovery copy is written and removed, on worked timelines.
#include <gtest/gtest.h>

#include <string>

#include "editor/recovery/autosave_schedule.h"

namespace kadr::editor {
namespace {

using Action = AutosaveSchedule::Action;
using std::chrono::milliseconds;

// Polls every half second from `from` to `to` (milliseconds); `change(t)` says whether the
// document changed before the poll at t. Returns the times of the writes.
struct Timeline {
    AutosaveSchedule schedule;
    AutosaveSchedule::Clock::time_point zero{};
    std::vector<int> writes;
    std::vector<int> discards;

    void Run(
        int from, int to, const std::function<bool(int)>& change, bool unsaved = true,
        const std::function<bool(int)>& dragging = [](int) { return false; }) {
        for (int t = from; t <= to; t += 500) {
            switch (schedule.Poll(zero + milliseconds(t), unsaved, change(t), dragging(t))) {
                case Action::Write:
                    writes.push_back(t);
                    break;
                case Action::Discard:
                    discards.push_back(t);
                    break;
                case Action::None:
                    break;
            }
        }
    }
};

TEST(AutosaveSchedule, WritesTwoSecondsAfterTheLastChange) {
    Timeline line;
    // Three clicks at 0, 0.5 and 1 s, then nothing.
    line.Run(0, 10000, [](int t) { return t <= 1000; });
    EXPECT_EQ(line.writes, (std::vector<int>{3000}));
    EXPECT_TRUE(line.schedule.CopyExists());
}

TEST(AutosaveSchedule, UninterruptedWorkIsWrittenEveryFiveSeconds) {
    Timeline line;
    line.Run(0, 12000, [](int) { return true; });
    EXPECT_EQ(line.writes, (std::vector<int>{5000, 10500}));
}

TEST(AutosaveSchedule, APressedButtonPostponesTheWriteToItsRelease) {
    Timeline line;
    line.Run(
        0, 8000, [](int t) { return t == 0; }, true, [](int t) { return t >= 1500 && t < 6000; });
    EXPECT_EQ(line.writes, (std::vector<int>{6000}));
}

TEST(AutosaveSchedule, NothingUnsavedMeansNoCopy) {
    Timeline line;
    line.Run(0, 3000, [](int t) { return t == 0; });
    ASSERT_EQ(line.writes, (std::vector<int>{2000}));
    // Saved at 3.5 s: the copy goes once.
    line.Run(
        3500, 6000, [](int t) { return t == 3500; }, false);
    EXPECT_EQ(line.discards, (std::vector<int>{3500}));
    EXPECT_FALSE(line.schedule.CopyExists());
    // Unsaved again without a change the polls saw (made and taken back between two of them).
    line.Run(6500, 9000, [](int) { return false; });
    EXPECT_EQ(line.writes, (std::vector<int>{2000, 8500}));
}

TEST(AutosaveSchedule, AChangeAfterTheCopyIsWrittenAgain) {
    Timeline line;
    line.Run(0, 4000, [](int t) { return t == 0 || t == 3000; });
    EXPECT_EQ(line.writes, (std::vector<int>{2000}));
    line.Run(4500, 6000, [](int) { return false; });
    EXPECT_EQ(line.writes, (std::vector<int>{2000, 5000}));
}

TEST(AutosaveSchedule, ACopyWrittenOutsideTheScheduleIsNotWrittenAgain) {
    Timeline line;
    line.schedule.WrittenNow();
    line.Run(0, 5000, [](int) { return false; });
    EXPECT_TRUE(line.writes.empty());
    EXPECT_TRUE(line.schedule.CopyExists());
}

}  // namespace
}  // namespace kadr::editor
