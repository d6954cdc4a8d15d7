// The unattended runner's decisions under a clock the test turns: each boundary's set arrives
// once, never twice, across clocks set back and forward, a sleep and summer time; the clock
// program once a minute; failed uploads retried after 10 s, 30 s, then every 60 s.
#include <gtest/gtest.h>

#include "frameset/schedule/schedule_run.h"

namespace kadr::schedule {
namespace {

LocalSeconds At(int day, int hour, int minute, int second = 0) {
    return FromCivil({2024, 5, day, hour, minute, second});
}

Schedule Morning() {
    Schedule s;
    s.entries = {{kEveryDay, 8 * 60, 12 * 60, "morning.kdz"}};
    return s;
}

// Drives a ScheduleRun as the runner does: looks, makes a set that tells the entry (and the
// minute, for a clock show) apart, and uploads what is due; every upload succeeds unless told.
class Rig {
  public:
    explicit Rig(const Schedule& schedule, bool clockShows = false)
        : run_(schedule), clockShows_(clockShows) {}

    // One look at the wall clock; `utc` defaults to local time (a UTC zone).
    void Look(LocalSeconds local, std::optional<std::int64_t> utc = {}, bool deliver = true) {
        steadyMs_ += 1000;
        const Moment now{local, utc.value_or(local), steadyMs_};
        const ScheduleRun::Look look = run_.LookAt(now, false);
        if (look.make) {
            const std::int64_t minute = clockShows_ ? local / 60 : 0;
            run_.Made({look.entry,
                       {std::uint8_t(look.entry + 1), std::uint8_t(minute & 0xFF)},
                       clockShows_});
        }
        Deliver(now, deliver);
    }
    void Deliver(const Moment& now, bool deliver) {
        if (const std::optional<MadeSet> due = run_.TakeDue(now)) {
            uploads_.push_back(due->entry);
            run_.Ended(deliver, now);
        }
    }
    std::vector<int> Uploads() { return std::exchange(uploads_, {}); }
    ScheduleRun& Run() { return run_; }

  private:
    ScheduleRun run_;
    bool clockShows_;
    std::int64_t steadyMs_ = 0;
    std::vector<int> uploads_;
};

TEST(ScheduleRun, EachBoundaryOnceNeverTwice) {
    Rig rig(Morning());
    struct Step {
        LocalSeconds local;
        std::vector<int> uploads;
        const char* why;
    };
    const Step steps[] = {
        {At(6, 7, 59, 58), {kDefault}, "the start uploads what is in force"},
        {At(6, 7, 59, 59), {}, "nothing changed"},
        {At(6, 8, 0), {0}, "the boundary"},
        {At(6, 9, 0), {}, "an hour on"},
        {At(6, 8, 30), {}, "set back within the entry: nothing"},
        {At(6, 7, 30), {kDefault}, "set back across the boundary: what 07:30 shows"},
        {At(6, 8, 0), {0}, "the boundary again, by the clock"},
        {At(6, 20, 0), {kDefault}, "a sleep over the end of the morning: the end is not missed"},
        {At(7, 7, 0), {}, "a sleep over a whole morning shows nothing of it"},
        {At(7, 11, 59, 59), {0}, "set forward into the morning"},
    };
    for (const Step& step : steps) {
        rig.Look(step.local);
        EXPECT_EQ(rig.Uploads(), step.uploads) << step.why;
    }
}

// Berlin, 27 October 2024: at 03:00 summer time the clocks go back to 02:00.
TEST(ScheduleRun, TheRepeatedHourOfAutumnActsOnItsBoundariesOnce) {
    Schedule s;
    s.entries = {{kEveryDay, 2 * 60 + 30, 3 * 60 + 30, "night.kdz"}};
    Rig rig(s);
    const LocalSeconds day = FromCivil({2024, 10, 27, 0, 0, 0});
    const LocalSeconds h = 3600;
    struct Step {
        std::int64_t utc;
        int offsetHours;
        std::vector<int> uploads;
    };
    const Step steps[] = {
        {day + 20 * 60, 2, {kDefault}},          // 02:20 summer time
        {day + 30 * 60, 2, {0}},                 // 02:30: night begins
        {day + h - 1, 2, {}},                    // 02:59:59
        {day + h, 1, {}},                        // 02:00 winter time: not the default again
        {day + h + 30 * 60, 1, {}},              // 02:30 again: not night again
        {day + 2 * h + 30 * 60, 1, {kDefault}},  // 03:30: night ends, once
    };
    for (const Step& step : steps) {
        rig.Look(step.utc + step.offsetHours * h, step.utc);
        EXPECT_EQ(rig.Uploads(), step.uploads) << (step.utc - day) / 60 << " min UTC";
    }
}

// Berlin, 31 March 2024: at 02:00 winter time the clocks go on to 03:00.
TEST(ScheduleRun, TheSkippedHourOfSpringShowsWhatIsInForceAfterIt) {
    Schedule s;
    s.entries = {{kEveryDay, 2 * 60 + 15, 2 * 60 + 45, "gone.kdz"},
                 {kEveryDay, 2 * 60 + 50, 4 * 60, "early.kdz"}};
    Rig rig(s);
    const LocalSeconds day = FromCivil({2024, 3, 31, 0, 0, 0});
    rig.Look(day + 3600 + 3599, day + 3599);  // 01:59:59 winter time
    EXPECT_EQ(rig.Uploads(), std::vector<int>{kDefault});
    rig.Look(day + 3 * 3600, day + 3600);  // 03:00 summer time
    EXPECT_EQ(rig.Uploads(), std::vector<int>{1}) << "gone.kdz lay wholly in the skipped hour";
}

TEST(ScheduleRun, AClockShowIsMadeEveryMinuteAndUploadedOnlyWhenItDiffers) {
    Rig rig(Morning(), true);
    rig.Look(At(6, 8, 0, 10));
    EXPECT_EQ(rig.Uploads(), std::vector<int>{0});
    rig.Look(At(6, 8, 0, 59));
    EXPECT_EQ(rig.Uploads(), std::vector<int>{}) << "not within the minute";
    EXPECT_EQ(rig.Run().NextLocalEvent(), At(6, 8, 1));
    rig.Look(At(6, 8, 1, 0));
    EXPECT_EQ(rig.Uploads(), std::vector<int>{0});
    // The same frames as the unit has: nothing to send.
    EXPECT_EQ(rig.Run().Made({0, {1, static_cast<std::uint8_t>((At(6, 8, 1) / 60) & 0xFF)}, true}),
              ScheduleRun::Verdict::Unchanged);
}

TEST(ScheduleRun, FailedUploadsAreRetriedAfter10Then30ThenEvery60Seconds) {
    EXPECT_EQ((std::vector<std::int64_t>{RetryDelayMs(1), RetryDelayMs(2), RetryDelayMs(3),
                                         RetryDelayMs(7)}),
              (std::vector<std::int64_t>{10'000, 30'000, 60'000, 60'000}));
    ScheduleRun run(Morning());
    const auto moment = [](std::int64_t ms, LocalSeconds local) {
        return Moment{local, local, ms};
    };
    ASSERT_TRUE(run.LookAt(moment(0, At(6, 7, 0)), false).make);
    run.Made({kDefault, {1}, false});
    ASSERT_TRUE(run.TakeDue(moment(0, At(6, 7, 0))));
    std::int64_t failedAt = 0;
    for (const std::int64_t delay : {10'000, 30'000, 60'000, 60'000}) {
        run.Ended(false, moment(failedAt, At(6, 7, 0)));
        EXPECT_EQ(run.RetryAtMs(), failedAt + delay);
        EXPECT_FALSE(run.TakeDue(moment(failedAt + delay - 1, At(6, 7, 0)))) << "not before";
        ASSERT_TRUE(run.TakeDue(moment(failedAt + delay, At(6, 7, 0)))) << "due at " << delay;
        failedAt += delay;
    }
    // The boundary passes while a retry is awaited: the retry sends the morning, not the
    // default it failed with.
    run.Ended(false, moment(failedAt, At(6, 7, 59)));
    ASSERT_TRUE(run.LookAt(moment(failedAt + 1000, At(6, 8, 0)), false).make);
    EXPECT_EQ(run.Made({0, {2}, false}), ScheduleRun::Verdict::Queued);
    EXPECT_FALSE(run.TakeDue(moment(failedAt + 1000, At(6, 8, 0))));
    const std::optional<MadeSet> retry = run.TakeDue(moment(failedAt + 60'000, At(6, 8, 1)));
    ASSERT_TRUE(retry);
    EXPECT_EQ(retry->entry, 0);
    run.Ended(true, moment(failedAt + 61'000, At(6, 8, 1)));
    EXPECT_EQ(run.Failures(), 0);
    EXPECT_EQ(run.RetryAtMs(), std::nullopt);
    // After a failure the unit's content is unknown: the set it had before goes in again.
    ASSERT_TRUE(run.LookAt(moment(failedAt + 62'000, At(6, 12, 0)), false).make);
    run.Made({kDefault, {1}, false});
    ASSERT_TRUE(run.TakeDue(moment(failedAt + 62'000, At(6, 12, 0))));
    run.Ended(false, moment(failedAt + 62'000, At(6, 12, 0)));
    EXPECT_EQ(run.RetryAtMs(), failedAt + 72'000) << "the count began again after the success";
    EXPECT_EQ(run.Made({0, {2}, false}), ScheduleRun::Verdict::Queued)
        << "delivered before, but the failed upload may have left anything";
}

}  // namespace
}  // namespace kadr::schedule
