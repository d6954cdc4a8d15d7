#pragma once

#include <string>
#include <string_view>

#include "frameset/errors.h"
#include "frameset/schedule/schedule.h"

namespace kadr::schedule {

// A schedule file that is not one: the message names the field by its path, as in
// "entries[0].from: must be HH:MM".
class ScheduleFormatError : public Error {
  public:
    using Error::Error;
};

inline constexpr std::uint64_t kMaxScheduleFileBytes = 1 << 20;

// {"entries": [{"days": [...], "from": "HH:MM", "to": "HH:MM", "show": FILE}, ...],
//  "default": FILE or null, "port", "baud", "timeout", "speedRow", "orientation"}. Every field
// but the entries' `from`, `to` and `show` is optional; unknown fields, bad types and values are
// refused. The port and baud are only checked for their type here: their values are the
// device link's to judge.
Schedule ParseSchedule(std::string_view json);
std::string ScheduleJson(const Schedule& schedule);

// Throw FileError for the file itself, ScheduleFormatError for what it holds. Writing replaces
// an old file only once the new one is complete.
Schedule ReadScheduleFile(const std::string& path);
void WriteScheduleFile(const std::string& path, const Schedule& schedule);

// A show's file named relative to the schedule file's folder (an absolute name stays as it is).
std::string ShowPath(const std::string& schedulePath, const std::string& show);

}  // namespace kadr::schedule
