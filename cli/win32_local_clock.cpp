#include <ctime>

#include "cli/local_clock.h"

namespace kadr::cli {

schedule::LocalSeconds LocalFromUtc(std::int64_t utcSeconds) {
    const std::time_t utc = static_cast<std::time_t>(utcSeconds);
    std::tm local{};
    if (localtime_s(&local, &utc) != 0) {
        return utcSeconds;
    }
    return schedule::FromCivil({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                local.tm_hour, local.tm_min, local.tm_sec});
}

}  // namespace kadr::cli
