#include <ctime>

#include "cli/local_clock.h"

namespace kadr::cli {

schedule::LocalSeconds LocalFromUtc(std::int64_t utcSeconds) {
    const std::time_t utc = static_cast<std::time_t>(utcSeconds);
    std::tm local{};
    localtime_r(&utc, &local);
    return utcSeconds + local.tm_gmtoff;
}

}  // namespace kadr::cli
