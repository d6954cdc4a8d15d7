#include "program_file/schedule_file.h"

#include <cmath>

#include "frameset/file_system.h"
#include "program_file/json_fields.h"

namespace kadr::schedule {
namespace {

using json_fields::Json;
using json_fields::OrderedJson;

[[noreturn]] void Refuse(const std::string& path, const std::string& what) {
    json_fields::Refuse<ScheduleFormatError>(path, what);
}

std::string Text(const Json& value, const std::string& path) {
    return json_fields::Text<ScheduleFormatError>(value, path);
}

std::string ShowName(const Json& value, const std::string& path) {
    std::string show = Text(value, path);
    if (show.empty()) {
        Refuse(path, "must name a .kdz, .bin or .json file");
    }
    return show;
}

DayMask Days(const Json& value, const std::string& path) {
    if (!value.is_array() || value.empty()) {
        Refuse(path, "must be a list of days: mon, tue, wed, thu, fri, sat, sun");
    }
    DayMask days = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::optional<int> day =
            value[i].is_string() ? ParseDay(value[i].get<std::string>()) : std::nullopt;
        if (!day) {
            Refuse(path + "[" + std::to_string(i) + "]",
                   "must be one of mon, tue, wed, thu, fri, sat, sun");
        }
        days = static_cast<DayMask>(days | (1 << *day));
    }
    return days;
}

int Clock(const Json& value, const std::string& path, bool endOfDay) {
    const std::optional<int> minutes =
        value.is_string() ? ParseClock(value.get<std::string>(), endOfDay) : std::nullopt;
    if (!minutes) {
        Refuse(path,
               endOfDay ? "must be HH:MM (00:00 to 24:00)" : "must be HH:MM (00:00 to 23:59)");
    }
    return *minutes;
}

Entry ParseEntry(const Json& json, const std::string& path) {
    if (!json.is_object()) {
        Refuse(path, "must be an object");
    }
    Entry entry;
    bool hasFrom = false;
    bool hasTo = false;
    bool hasShow = false;
    for (const auto& [key, value] : json.items()) {
        const std::string field = path + "." + key;
        if (key == "days") {
            entry.days = Days(value, field);
        } else if (key == "from") {
            entry.from = Clock(value, field, false);
            hasFrom = true;
        } else if (key == "to") {
            entry.to = Clock(value, field, true);
            hasTo = true;
        } else if (key == "show") {
            entry.show = ShowName(value, field);
            hasShow = true;
        } else {
            Refuse(field, "unknown field");
        }
    }
    for (const auto& [has, name] : {std::pair{hasFrom, "from"}, {hasTo, "to"}, {hasShow, "show"}}) {
        if (!has) {
            Refuse(path + "." + name, "missing");
        }
    }
    return entry;
}

}  // namespace

Schedule ParseSchedule(std::string_view text) {
    const Json json = json_fields::Parse<ScheduleFormatError>(text, "not a JSON schedule");
    if (!json.is_object()) {
        Refuse("schedule", "must be an object");
    }
    Schedule schedule;
    bool hasEntries = false;
    for (const auto& [key, value] : json.items()) {
        if (key == "entries") {
            if (!value.is_array()) {
                Refuse(key, "must be a list of entries");
            }
            for (std::size_t i = 0; i < value.size(); ++i) {
                schedule.entries.push_back(
                    ParseEntry(value[i], "entries[" + std::to_string(i) + "]"));
            }
            hasEntries = true;
        } else if (key == "default") {
            if (!value.is_null()) {
                schedule.defaultShow = ShowName(value, key);
            }
        } else if (key == "port") {
            schedule.line.port = Text(value, key);
            if (schedule.line.port->empty()) {
                Refuse(key, "must name a port: Com1..Com4 or a device");
            }
        } else if (key == "baud") {
            const std::optional<double> baud = json_fields::Number(value);
            if (!baud || *baud != std::floor(*baud) || *baud < 1 || *baud > 1e7) {
                Refuse(key, "must be a line speed such as 56000");
            }
            schedule.line.baud = static_cast<int>(*baud);
        } else if (key == "timeout") {
            schedule.line.timeout = json_fields::WholeIn<ScheduleFormatError>(value, key, 1, 10);
        } else if (key == "speedRow") {
            schedule.speedRow = json_fields::WholeIn<ScheduleFormatError>(value, key, 1, 50);
        } else if (key == "orientation") {
            schedule.orientation = json_fields::WholeIn<ScheduleFormatError>(value, key, 0, 1);
        } else {
            Refuse(key, "unknown field");
        }
    }
    if (!hasEntries) {
        Refuse("entries", "missing");
    }
    return schedule;
}

std::string ScheduleJson(const Schedule& schedule) {
    OrderedJson json = OrderedJson::object();
    json["entries"] = OrderedJson::array();
    for (const Entry& entry : schedule.entries) {
        OrderedJson days = OrderedJson::array();
        for (int day = 0; day < kDaysPerWeek; ++day) {
            if ((entry.days & (1 << day)) != 0) {
                days.push_back(DayName(day));
            }
        }
        OrderedJson item;
        item["days"] = days;
        item["from"] = ClockName(entry.from);
        item["to"] = ClockName(entry.to);
        item["show"] = entry.show;
        json["entries"].push_back(item);
    }
    json["default"] = schedule.defaultShow ? OrderedJson(*schedule.defaultShow) : OrderedJson();
    if (schedule.line.port) {
        json["port"] = *schedule.line.port;
    }
    if (schedule.line.baud) {
        json["baud"] = *schedule.line.baud;
    }
    if (schedule.line.timeout) {
        json["timeout"] = *schedule.line.timeout;
    }
    json["speedRow"] = schedule.speedRow;
    json["orientation"] = schedule.orientation;
    return json_fields::Dump(json);
}

Schedule ReadScheduleFile(const std::string& path) {
    return ParseSchedule(json_fields::ReadText<ScheduleFormatError>(
        path, kMaxScheduleFileBytes, "the schedule file is larger than 1 MiB"));
}

void WriteScheduleFile(const std::string& path, const Schedule& schedule) {
    json_fields::WriteText(path, ScheduleJson(schedule));
}

std::string ShowPath(const std::string& schedulePath, const std::string& show) {
    const std::filesystem::path name = PathFromUtf8(show);
    if (name.is_absolute()) {
        return show;
    }
    return Utf8FromPath(PathFromUtf8(schedulePath).parent_path() / name);
}

}  // namespace kadr::schedule
