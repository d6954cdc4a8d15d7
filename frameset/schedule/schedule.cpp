#include "frameset/schedule/schedule.h"

#include <bitset>
#include <cstdio>

namespace kadr::schedule {
namespace {

constexpr const char* kDayNames[kDaysPerWeek] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};

using Coverage = std::bitset<kMinutesPerWeek>;

Coverage CoverageOf(const Entry& entry) {
    Coverage covered;
    for (int day = 0; day < kDaysPerWeek; ++day) {
        if ((entry.days & (1 << day)) == 0) {
            continue;
        }
        const int start = day * kMinutesPerDay + entry.from;
        for (int m = 0; m < entry.Minutes(); ++m) {
            covered.set(static_cast<std::size_t>((start + m) % kMinutesPerWeek));
        }
    }
    return covered;
}

std::size_t Previous(std::size_t minute) {
    return (minute + kMinutesPerWeek - 1) % kMinutesPerWeek;
}

LocalSeconds MinuteStart(LocalSeconds local) {
    const LocalSeconds within =
        ((local % kSecondsPerMinute) + kSecondsPerMinute) % kSecondsPerMinute;
    return local - within;
}

}  // namespace

const char* DayName(int weekday) {
    return kDayNames[weekday];
}

std::optional<int> ParseDay(std::string_view name) {
    for (int day = 0; day < kDaysPerWeek; ++day) {
        if (name == kDayNames[day]) {
            return day;
        }
    }
    return std::nullopt;
}

std::optional<int> ParseClock(std::string_view text, bool endOfDay) {
    const auto digit = [&text](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    if (text.size() != 5 || text[2] != ':' || !digit(0) || !digit(1) || !digit(3) || !digit(4)) {
        return std::nullopt;
    }
    const int hours = (text[0] - '0') * 10 + (text[1] - '0');
    const int minutes = (text[3] - '0') * 10 + (text[4] - '0');
    if (endOfDay && hours == 24 && minutes == 0) {
        return kMinutesPerDay;
    }
    if (hours > 23 || minutes > 59) {
        return std::nullopt;
    }
    return hours * 60 + minutes;
}

std::string ClockName(int minuteOfDay) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", minuteOfDay / 60 % 100, minuteOfDay % 60);
    return text;
}

WeekTable::WeekTable(const Schedule& schedule) {
    winner_.fill(kDefault);
    // The last entry first, so that an earlier one overwrites it: the first match wins.
    for (std::size_t i = schedule.entries.size(); i-- > 0;) {
        const Coverage covered = CoverageOf(schedule.entries[i]);
        for (std::size_t m = 0; m < covered.size(); ++m) {
            if (covered.test(m)) {
                winner_[m] = static_cast<std::int16_t>(i);
            }
        }
    }
    // Walk backwards from a change all the way round: each minute is one more than the next.
    std::size_t change = kMinutesPerWeek;
    for (std::size_t m = 0; m < kMinutesPerWeek; ++m) {
        if (winner_[m] != winner_[Previous(m)]) {
            change = m;
            break;
        }
    }
    if (change == kMinutesPerWeek) {
        return;  // toChange_ stays 0: nothing ever changes
    }
    std::size_t m = Previous(change);
    for (int step = 0; step < kMinutesPerWeek; ++step, m = Previous(m)) {
        const std::size_t next = (m + 1) % kMinutesPerWeek;
        toChange_[m] =
            static_cast<std::int16_t>(winner_[next] != winner_[m] ? 1 : toChange_[next] + 1);
    }
}

std::optional<LocalSeconds> WeekTable::NextChange(LocalSeconds local) const {
    const int minutes = toChange_[MinuteOfWeek(local)];
    if (minutes == 0) {
        return std::nullopt;
    }
    return MinuteStart(local) + static_cast<LocalSeconds>(minutes) * kSecondsPerMinute;
}

std::vector<Overlap> Overlaps(const Schedule& schedule) {
    std::vector<Coverage> coverage;
    for (const Entry& entry : schedule.entries) {
        coverage.push_back(CoverageOf(entry));
    }
    std::vector<Overlap> overlaps;
    for (std::size_t i = 0; i < coverage.size(); ++i) {
        for (std::size_t j = i + 1; j < coverage.size(); ++j) {
            const Coverage shared = coverage[i] & coverage[j];
            if (shared.none()) {
                continue;
            }
            Overlap overlap{static_cast<int>(i), static_cast<int>(j), 0, 0,
                            static_cast<int>(shared.count())};
            if (!shared.all()) {
                std::size_t start = 0;
                while (!(shared.test(start) && !shared.test(Previous(start)))) {
                    ++start;
                }
                overlap.firstMinute = static_cast<int>(start);
                while (overlap.firstLength < kMinutesPerWeek &&
                       shared.test((start + static_cast<std::size_t>(overlap.firstLength)) %
                                   kMinutesPerWeek)) {
                    ++overlap.firstLength;
                }
            } else {
                overlap.firstLength = kMinutesPerWeek;
            }
            overlaps.push_back(overlap);
        }
    }
    return overlaps;
}

std::vector<int> HiddenEntries(const Schedule& schedule, const WeekTable& table) {
    std::vector<bool> shown(schedule.entries.size(), false);
    for (int m = 0; m < kMinutesPerWeek; ++m) {
        if (table.AtMinute(m) != kDefault) {
            shown[static_cast<std::size_t>(table.AtMinute(m))] = true;
        }
    }
    std::vector<int> hidden;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (!shown[i]) {
            hidden.push_back(static_cast<int>(i));
        }
    }
    return hidden;
}

std::vector<Change> NextChanges(const WeekTable& table, LocalSeconds from, int count) {
    std::vector<Change> changes;
    LocalSeconds at = from;
    while (static_cast<int>(changes.size()) < count) {
        const std::optional<LocalSeconds> next = table.NextChange(at);
        if (!next) {
            break;
        }
        at = *next;
        changes.push_back({at, table.InForce(at)});
    }
    return changes;
}

}  // namespace kadr::schedule
