#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "frameset/schedule/schedule_run.h"

namespace kadr::cli {

// The local wall-clock time for a UTC time, by the system's time zone rules (summer time
// included). The platform's files answer it.
schedule::LocalSeconds LocalFromUtc(std::int64_t utcSeconds);

// The clocks `kadr` reads: the wall clock in local time and UTC, and a steady clock for waits.
// For trying a schedule without waiting for the day to pass, the environment variable
// KADR_TEST_CLOCK=YYYY-MM-DDTHH:MM:SS[xRATE] replaces them by a clock that starts at that local
// time and runs RATE times as fast (UTC then equals local time); it is meant for tests.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual schedule::Moment Now() const = 0;
    // Real milliseconds until the wall clock shows `local` (0 when it already has).
    virtual std::int64_t MsUntil(schedule::LocalSeconds local) const = 0;
    // Real milliseconds that `clockMs` of this clock's steady time take.
    virtual std::int64_t RealMs(std::int64_t clockMs) const = 0;
};

// The computer's clocks, or the test clock when KADR_TEST_CLOCK names one. Throws Error for a
// test clock it cannot read.
std::unique_ptr<Clock> MakeClock();

}  // namespace kadr::cli
