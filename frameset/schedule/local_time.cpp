#include "frameset/schedule/local_time.h"

#include <chrono>
#include <cstdio>

namespace kadr::schedule {
namespace {

// Floor division: the seconds before 1970 belong to the day they fall in, not the one after.
std::int64_t FloorDiv(std::int64_t value, std::int64_t by) {
    const std::int64_t q = value / by;
    return q * by > value ? q - 1 : q;
}

std::string Format(const char* pattern, int a, int b, int c) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

}  // namespace

LocalSeconds FromCivil(const CivilTime& civil) {
    using namespace std::chrono;
    const sys_days date{year{civil.year} / month{static_cast<unsigned>(civil.month)} /
                        day{static_cast<unsigned>(civil.day)}};
    return static_cast<LocalSeconds>(date.time_since_epoch().count()) * kSecondsPerDay +
           civil.hour * 3600 + civil.minute * kSecondsPerMinute + civil.second;
}

CivilTime ToCivil(LocalSeconds local) {
    using namespace std::chrono;
    const std::int64_t days = DayNumber(local);
    const year_month_day date{sys_days{std::chrono::days{days}}};
    const std::int64_t second = local - days * kSecondsPerDay;
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(second / 3600),
            static_cast<int>(second / kSecondsPerMinute % 60),
            static_cast<int>(second % kSecondsPerMinute)};
}

std::int64_t DayNumber(LocalSeconds local) {
    return FloorDiv(local, kSecondsPerDay);
}

int Weekday(LocalSeconds local) {
    // 1970-01-01 was a Thursday.
    return static_cast<int>((DayNumber(local) % kDaysPerWeek + kDaysPerWeek + 3) % kDaysPerWeek);
}

int MinuteOfDay(LocalSeconds local) {
    return static_cast<int>((local - DayNumber(local) * kSecondsPerDay) / kSecondsPerMinute);
}

int MinuteOfWeek(LocalSeconds local) {
    return Weekday(local) * kMinutesPerDay + MinuteOfDay(local);
}

std::string ClockText(LocalSeconds local) {
    const CivilTime c = ToCivil(local);
    return Format("%02d:%02d", c.hour, c.minute, 0);
}

std::string DateText(LocalSeconds local) {
    const CivilTime c = ToCivil(local);
    return Format("%02d.%02d.%04d", c.day, c.month, c.year);
}

std::string WeekdayName(LocalSeconds local) {
    static const char* const kNames[kDaysPerWeek] = {
        "понедельник", "вторник", "среда", "четверг", "пятница", "суббота", "воскресенье",
    };
    return kNames[Weekday(local)];
}

std::string StampText(LocalSeconds local) {
    const CivilTime c = ToCivil(local);
    return Format("%04d-%02d-%02d ", c.year, c.month, c.day) +
           Format("%02d:%02d:%02d", c.hour, c.minute, c.second);
}

}  // namespace kadr::schedule
