#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "frameset/schedule/schedule.h"
#include "frameset/schedule/wall_clock_follower.h"

namespace kadr::schedule {

// A failed upload is tried again after 10 s, then 30 s, then every 60 s.
std::int64_t RetryDelayMs(int failures);

// The clocks as the runner reads them at one moment.
struct Moment {
    LocalSeconds local = 0;     // the wall clock
    std::int64_t utc = 0;       // seconds since 1970-01-01 00:00 UTC
    std::int64_t steadyMs = 0;  // never jumps; retries are timed on it
};

// Why a set is made.
enum class Reason { Start, Boundary, Minute, FilesChanged, ScheduleRead };

// A frame set made for an entry, as the unit receives it (the bytes of its display file).
struct MadeSet {
    int entry = kDefault;
    std::vector<std::uint8_t> bytes;
    bool clock = false;  // it shows the time, so it is made again every minute
};

// What the unattended runner does and when, without any clock, port or file: it is told the
// time and what happened and answers what to make and what to upload.
//
// "Nothing run twice" means: the unit gets a set only when it differs from the set the unit
// last received. A clock set back across a boundary shows the entry the schedule gives for the
// new time (once, since it differs from what is shown); set back within an entry, nothing
// happens. After a failed upload what the unit holds is unknown, so the next set goes in even
// when it is the one delivered before.
class ScheduleRun {
  public:
    explicit ScheduleRun(const Schedule& schedule);

    // The schedule was read again: the entry in force is made at the next look.
    void Replace(const Schedule& schedule);

    struct Look {
        bool make = false;
        int entry = kDefault;
        Reason reason = Reason::Start;
    };
    // Whether the entry in force must be made now: at the first look, after Replace, when
    // another entry is in force, at a new minute of the wall clock while the set shows the time,
    // and when a file it is made of changed.
    Look LookAt(const Moment& now, bool filesChanged);

    enum class Verdict { Queued, Unchanged };
    // The set made for the entry the last look asked for. Unchanged: the unit has it (or is
    // receiving it), nothing to upload.
    Verdict Made(MadeSet set);
    // It could not be made: the unit keeps what it shows, nothing older is sent after it.
    void MakeFailed(bool clock);

    // The set to upload now, taken: nothing while an upload runs or a retry is not yet due.
    std::optional<MadeSet> TakeDue(const Moment& now);
    // The upload TakeDue started has ended.
    void Ended(bool delivered, const Moment& now);

    bool Uploading() const { return inflight_.has_value(); }
    int Failures() const { return failures_; }
    std::optional<std::int64_t> RetryAtMs() const { return retryAtMs_; }
    // The next moment of the wall clock worth a look: a boundary, or a new minute while the set
    // shows the time. The runner also looks every second for changed files.
    std::optional<LocalSeconds> NextLocalEvent() const;
    const WeekTable& Table() const { return table_; }
    LocalSeconds ScheduleTime() const { return scheduleTime_; }

  private:
    WeekTable table_;
    WallClockFollower follower_;
    bool looked_ = false;
    bool reread_ = false;
    int entry_ = kDefault;
    std::int64_t minute_ = 0;
    LocalSeconds scheduleTime_ = 0;
    bool clock_ = false;
    std::optional<MadeSet> pending_;
    std::optional<MadeSet> inflight_;
    std::optional<std::vector<std::uint8_t>> delivered_;
    int failures_ = 0;
    std::optional<std::int64_t> retryAtMs_;
};

}  // namespace kadr::schedule
