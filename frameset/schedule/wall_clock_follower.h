#pragma once

#include <cstdint>
#include <optional>

#include "frameset/schedule/local_time.h"

namespace kadr::schedule {

// The local time a schedule is read at. It is the wall clock, with one exception: when summer
// time ends, the UTC offset falls while UTC goes on, and an hour of the wall clock comes twice.
// The schedule then stays at the latest local time it had reached until the wall clock passes
// it again, so that no boundary of that hour is acted on twice. A clock set back by hand moves
// UTC back too; it is followed at once, and what the schedule says for the new time shows.
// A clock set forward, a sleep or a hibernation is a jump forward: the entry in force at the new
// time shows, and entries that began and ended in the gap are over.
class WallClockFollower {
  public:
    LocalSeconds Follow(std::int64_t utc, LocalSeconds local);

  private:
    std::optional<std::int64_t> lastUtc_;
    std::int64_t lastOffset_ = 0;
    LocalSeconds lastFollowed_ = 0;
    std::optional<LocalSeconds> held_;
};

}  // namespace kadr::schedule
