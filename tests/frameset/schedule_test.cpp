// The schedule model: which entry is in force at a local time (weekdays, past midnight, across
// the week's end, the first match winning), the next change, overlaps, and how the wall clock
// is followed through summer time and clocks set by hand.
#include <gtest/gtest.h>

#include "frameset/schedule/schedule.h"
#include "frameset/schedule/wall_clock_follower.h"

namespace kadr::schedule {
namespace {

constexpr DayMask kWeekdays = 0x1F;
constexpr DayMask kWeekend = 0x60;

// 6 May 2024 was a Monday.
LocalSeconds At(int day, int hour, int minute, int second = 0) {
    return FromCivil({2024, 5, day, hour, minute, second});
}

// Breakfast on weekdays, the evening running past midnight every day, the weekend, and a lunch
// that overlaps both breakfast and the weekend; a default for the rest.
Schedule Shop() {
    Schedule s;
    s.entries = {
        {kWeekdays, 8 * 60, 12 * 60, "morning.json"},
        {kEveryDay, 19 * 60, 2 * 60, "evening.kdz"},
        {kWeekend, 10 * 60, 16 * 60, "weekend.kdz"},
        {kEveryDay, 11 * 60, 13 * 60, "lunch.kdz"},
    };
    s.defaultShow = "default.kdz";
    return s;
}

TEST(LocalTime, CalendarArithmetic) {
    EXPECT_EQ(FromCivil({2024, 5, 6, 0, 0, 0}), 1714953600);
    EXPECT_EQ(ToCivil(1714953600 + 8 * 3600 + 5 * 60 + 9), (CivilTime{2024, 5, 6, 8, 5, 9}));
    EXPECT_EQ(ToCivil(-1), (CivilTime{1969, 12, 31, 23, 59, 59}));
    EXPECT_EQ(Weekday(At(6, 0, 0)), 0);
    EXPECT_EQ(Weekday(At(12, 23, 59, 59)), 6);
    EXPECT_EQ(Weekday(-1), 2) << "31.12.1969 was a Wednesday";
    EXPECT_EQ(MinuteOfWeek(At(12, 23, 59)), kMinutesPerWeek - 1);
    EXPECT_EQ(StampText(At(6, 8, 5, 9)), "2024-05-06 08:05:09");
}

TEST(Schedule, TheFirstEntryThatCoversATimeIsInForce) {
    const WeekTable table(Shop());
    struct Case {
        LocalSeconds at;
        int entry;
        const char* why;
    };
    const Case cases[] = {
        {At(6, 7, 59, 59), kDefault, "before breakfast"},
        {At(6, 8, 0), 0, "breakfast begins"},
        {At(6, 11, 30), 0, "breakfast is before lunch in the list"},
        {At(6, 12, 0), 3, "the rest of lunch"},
        {At(6, 13, 0), kDefault, "after lunch"},
        {At(6, 19, 0), 1, "evening"},
        {At(7, 1, 59, 59), 1, "Monday's evening in Tuesday's night"},
        {At(7, 2, 0), kDefault, "the evening ends at 02:00"},
        {At(6, 0, 30), 1, "Sunday's evening runs into Monday: across the week's end"},
        {At(11, 8, 30), kDefault, "no breakfast on Saturday"},
        {At(11, 12, 30), 2, "the weekend is before lunch"},
        {At(12, 16, 0), kDefault, "the weekend ends at 16:00"},
        {At(10, 23, 0), 1, "Friday evening"},
        {At(11, 1, 0), 1, "Friday evening on Saturday"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(table.InForce(c.at), c.entry) << c.why;
    }
}

TEST(Schedule, TheNextChangeIsTheNextBoundaryThatChangesTheEntry) {
    const WeekTable table(Shop());
    struct Case {
        LocalSeconds from;
        LocalSeconds next;
    };
    const Case cases[] = {
        {At(6, 7, 59, 30), At(6, 8, 0)},
        {At(6, 8, 0), At(6, 12, 0)},  // 11:00 starts lunch, but breakfast still wins
        {At(6, 12, 30), At(6, 13, 0)},
        {At(6, 13, 0), At(6, 19, 0)},
        {At(12, 23, 0), At(13, 2, 0)},  // Sunday's evening ends on the next Monday
        {At(11, 2, 0), At(11, 10, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(table.NextChange(c.from), c.next) << StampText(c.from);
    }
    const std::vector<Change> changes = NextChanges(table, At(6, 7, 0), 5);
    std::vector<std::pair<LocalSeconds, int>> got;
    for (const Change& change : changes) {
        got.emplace_back(change.at, change.entry);
    }
    EXPECT_EQ(got, (std::vector<std::pair<LocalSeconds, int>>{{At(6, 8, 0), 0},
                                                              {At(6, 12, 0), 3},
                                                              {At(6, 13, 0), kDefault},
                                                              {At(6, 19, 0), 1},
                                                              {At(7, 2, 0), kDefault}}));

    Schedule allDay;
    allDay.entries = {{kEveryDay, 6 * 60, 6 * 60, "all.kdz"}};  // from == to: the whole day
    EXPECT_EQ(WeekTable(allDay).InForce(At(8, 5, 59)), 0);
    EXPECT_EQ(WeekTable(allDay).NextChange(At(8, 5, 59)), std::nullopt);
    EXPECT_TRUE(NextChanges(WeekTable(Schedule{}), At(6, 0, 0), 10).empty());
}

TEST(Schedule, OverlapsAndHiddenEntriesAreFound) {
    Schedule s = Shop();
    s.entries.push_back({0x01, 9 * 60, 10 * 60, "hidden.kdz"});  // Monday, inside breakfast
    const std::vector<Overlap> overlaps = Overlaps(s);
    ASSERT_EQ(overlaps.size(), 3U);
    // Weekdays 11:00-12:00: five hours; first on Monday.
    EXPECT_EQ((std::vector<int>{overlaps[0].winner, overlaps[0].loser, overlaps[0].firstMinute,
                                overlaps[0].firstLength, overlaps[0].totalMinutes}),
              (std::vector<int>{0, 3, 11 * 60, 60, 300}));
    EXPECT_EQ((std::vector<int>{overlaps[1].winner, overlaps[1].loser, overlaps[1].firstMinute,
                                overlaps[1].firstLength}),
              (std::vector<int>{0, 4, 9 * 60, 60}));
    // The weekend and lunch share 11:00-13:00 on both days.
    EXPECT_EQ((std::vector<int>{overlaps[2].winner, overlaps[2].loser, overlaps[2].firstMinute,
                                overlaps[2].totalMinutes}),
              (std::vector<int>{2, 3, 5 * kMinutesPerDay + 11 * 60, 240}));
    EXPECT_EQ(HiddenEntries(s, WeekTable(s)), std::vector<int>{4});
}

TEST(Schedule, ClockAndDayNames) {
    EXPECT_EQ(ParseClock("08:05", false), 485);
    EXPECT_EQ(ParseClock("24:00", true), kMinutesPerDay);
    for (const char* bad : {"24:00", "8:05", "08:60", "08-05", "", "08:05 "}) {
        EXPECT_EQ(ParseClock(bad, false), std::nullopt) << bad;
    }
    EXPECT_EQ(ParseDay("sun"), 6);
    EXPECT_EQ(ParseDay("Mon"), std::nullopt);
    EXPECT_EQ(ClockName(1440), "24:00");
}

// The wall clock through summer time in Berlin (UTC+1 in winter, UTC+2 in summer) and through
// clocks set by hand: the time the schedule is read at for each reading.
TEST(WallClockFollower, RepeatedHourHeldSetBackFollowed) {
    const LocalSeconds fallDay = FromCivil({2024, 10, 27, 0, 0, 0});
    const auto berlin = [](LocalSeconds utc, int offsetHours) {
        return std::pair{utc, utc + offsetHours * 3600};
    };
    struct Step {
        std::pair<std::int64_t, LocalSeconds> reading;
        LocalSeconds followed;
        const char* why;
    };
    const LocalSeconds h = 3600;
    const Step steps[] = {
        {berlin(fallDay + 30 * 60, 2), fallDay + 2 * h + 30 * 60, "02:30 summer time"},
        {berlin(fallDay + h - 1, 2), fallDay + 3 * h - 1, "02:59:59 summer time"},
        {berlin(fallDay + h, 1), fallDay + 3 * h - 1, "02:00 winter time: held"},
        {berlin(fallDay + h + 30 * 60, 1), fallDay + 3 * h - 1, "02:30 again: held"},
        {berlin(fallDay + 2 * h, 1), fallDay + 3 * h, "03:00: the clock has caught up"},
        {berlin(fallDay + 2 * h - 1800, 1), fallDay + 2 * h + 30 * 60,
         "set back by hand to 02:30: followed"},
        {berlin(fallDay + 5 * h, 1), fallDay + 6 * h, "a sleep: followed forward"},
    };
    WallClockFollower follower;
    for (const Step& step : steps) {
        EXPECT_EQ(follower.Follow(step.reading.first, step.reading.second), step.followed)
            << step.why;
    }
}

}  // namespace
}  // namespace kadr::schedule
