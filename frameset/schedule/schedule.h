#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frameset/schedule/local_time.h"

namespace kadr::schedule {

// Days of the week as bits, Monday the lowest.
using DayMask = std::uint8_t;
inline constexpr DayMask kEveryDay = 0x7F;

// The names of the schedule file: "mon".."sun".
const char* DayName(int weekday);
std::optional<int> ParseDay(std::string_view name);
// "HH:MM" as minutes of the day; `to` may also be "24:00".
std::optional<int> ParseClock(std::string_view text, bool endOfDay);
std::string ClockName(int minuteOfDay);

// One line of a schedule: from `from` to `to` on each of its days, show a file. A `to` not after
// `from` lies on the next day, so 22:00 to 02:00 on Friday runs into Saturday's night; the days
// are the days an entry begins on.
struct Entry {
    DayMask days = kEveryDay;
    int from = 0;  // minutes of the day, 0..1439
    int to = 0;    // 1..1440; equal to `from`, or before it: the next day
    std::string show;

    int Minutes() const { return to > from ? to - from : to + kMinutesPerDay - from; }
    bool operator==(const Entry&) const = default;
};

// The line to the unit when the schedule names it; otherwise the editor's stored settings.
struct LineChoice {
    std::optional<std::string> port;
    std::optional<int> baud;
    std::optional<int> timeout;  // seconds, 1..10

    bool operator==(const LineChoice&) const = default;
};

inline constexpr int kDefaultProgramSpeedAnim = 10;
inline constexpr int kDefaultProgramSpeedRow = 15;

struct Schedule {
    std::vector<Entry> entries;
    std::optional<std::string> defaultShow;  // none: the display is dark
    LineChoice line;
    // How programs of messages are played: they bring no running-line speed or orientation.
    int speedRow = kDefaultProgramSpeedRow;
    int orientation = 0;

    bool operator==(const Schedule&) const = default;
};

inline constexpr int kDefault = -1;  // the default show (or a dark display), no entry

// Which entry shows at each minute of the week, the first that covers it winning; made once
// per schedule so that asking is a table look-up.
class WeekTable {
  public:
    explicit WeekTable(const Schedule& schedule);

    int InForce(LocalSeconds local) const { return winner_[MinuteOfWeek(local)]; }
    // The first moment after `local` at which another entry is in force; none when one rules
    // the whole week.
    std::optional<LocalSeconds> NextChange(LocalSeconds local) const;
    int AtMinute(int minuteOfWeek) const { return winner_[minuteOfWeek]; }

  private:
    std::array<std::int16_t, kMinutesPerWeek> winner_{};
    // Minutes from each minute of the week to the next change; 0 when nothing ever changes.
    std::array<std::int16_t, kMinutesPerWeek> toChange_{};
};

// Two entries that want the same minutes: the earlier one wins them.
struct Overlap {
    int winner = 0;
    int loser = 0;
    int firstMinute = 0;  // of the week: where the first stretch they share begins
    int firstLength = 0;  // minutes of that stretch
    int totalMinutes = 0;
};
std::vector<Overlap> Overlaps(const Schedule& schedule);
// Entries that never show because earlier ones cover all their time.
std::vector<int> HiddenEntries(const Schedule& schedule, const WeekTable& table);

// The changes to come, one after another: what --check prints.
struct Change {
    LocalSeconds at = 0;
    int entry = kDefault;
};
std::vector<Change> NextChanges(const WeekTable& table, LocalSeconds from, int count);

}  // namespace kadr::schedule
