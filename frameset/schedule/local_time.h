#pragma once

#include <cstdint>
#include <string>

namespace kadr::schedule {

// The time a clock on the wall shows, counted in seconds from 1970-01-01 00:00 of the local
// calendar (the UTC offset already added). It is what a schedule is written in; it jumps when
// the clock is set or summer time begins or ends, which is why the runner also keeps UTC.
using LocalSeconds = std::int64_t;

inline constexpr int kSecondsPerMinute = 60;
inline constexpr int kMinutesPerDay = 24 * 60;
inline constexpr int kSecondsPerDay = kMinutesPerDay * kSecondsPerMinute;
inline constexpr int kDaysPerWeek = 7;
inline constexpr int kMinutesPerWeek = kDaysPerWeek * kMinutesPerDay;

struct CivilTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const CivilTime&) const = default;
};

LocalSeconds FromCivil(const CivilTime& civil);
CivilTime ToCivil(LocalSeconds local);

// Days and weeks start at midnight; weeks on Monday (0) and end on Sunday (6).
std::int64_t DayNumber(LocalSeconds local);
int Weekday(LocalSeconds local);
int MinuteOfDay(LocalSeconds local);
int MinuteOfWeek(LocalSeconds local);

// The texts of the live fields: "08:05", "06.05.2024", "понедельник".
std::string ClockText(LocalSeconds local);
std::string DateText(LocalSeconds local);
std::string WeekdayName(LocalSeconds local);
// A log line's time: "2024-05-06 08:05:09".
std::string StampText(LocalSeconds local);

}  // namespace kadr::schedule
