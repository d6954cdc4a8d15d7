#include "frameset/schedule/schedule_run.h"

#include <algorithm>

namespace kadr::schedule {
namespace {

std::int64_t MinuteNumber(LocalSeconds local) {
    return DayNumber(local) * kMinutesPerDay + MinuteOfDay(local);
}

}  // namespace

std::int64_t RetryDelayMs(int failures) {
    if (failures <= 1) {
        return 10'000;
    }
    return failures == 2 ? 30'000 : 60'000;
}

ScheduleRun::ScheduleRun(const Schedule& schedule) : table_(schedule) {}

void ScheduleRun::Replace(const Schedule& schedule) {
    table_ = WeekTable(schedule);
    reread_ = true;
}

ScheduleRun::Look ScheduleRun::LookAt(const Moment& now, bool filesChanged) {
    scheduleTime_ = follower_.Follow(now.utc, now.local);
    const int entry = table_.InForce(scheduleTime_);
    const std::int64_t minute = MinuteNumber(now.local);
    Look look{true, entry, Reason::Start};
    if (!looked_) {
        look.reason = Reason::Start;
    } else if (reread_) {
        look.reason = Reason::ScheduleRead;
    } else if (entry != entry_) {
        look.reason = Reason::Boundary;
    } else if (clock_ && minute != minute_) {
        look.reason = Reason::Minute;
    } else if (filesChanged) {
        look.reason = Reason::FilesChanged;
    } else {
        look.make = false;
    }
    looked_ = true;
    reread_ = false;
    entry_ = entry;
    minute_ = minute;
    return look;
}

ScheduleRun::Verdict ScheduleRun::Made(MadeSet set) {
    clock_ = set.clock;
    const bool onUnit = !inflight_ && delivered_ && *delivered_ == set.bytes;
    const bool going = inflight_ && inflight_->bytes == set.bytes;
    if (onUnit || going) {
        pending_.reset();
        return Verdict::Unchanged;
    }
    pending_ = std::move(set);
    return Verdict::Queued;
}

void ScheduleRun::MakeFailed(bool clock) {
    clock_ = clock;
    pending_.reset();
}

std::optional<MadeSet> ScheduleRun::TakeDue(const Moment& now) {
    if (inflight_ || !pending_ || (retryAtMs_ && now.steadyMs < *retryAtMs_)) {
        return std::nullopt;
    }
    if (delivered_ && *delivered_ == pending_->bytes) {
        pending_.reset();
        return std::nullopt;
    }
    inflight_ = std::move(pending_);
    pending_.reset();
    return inflight_;
}

void ScheduleRun::Ended(bool delivered, const Moment& now) {
    if (!inflight_) {
        return;
    }
    if (delivered) {
        delivered_ = inflight_->bytes;
        failures_ = 0;
        retryAtMs_.reset();
    } else {
        ++failures_;
        delivered_.reset();
        retryAtMs_ = now.steadyMs + RetryDelayMs(failures_);
        if (!pending_) {
            pending_ = std::move(inflight_);
        }
    }
    inflight_.reset();
}

std::optional<LocalSeconds> ScheduleRun::NextLocalEvent() const {
    std::optional<LocalSeconds> next = table_.NextChange(scheduleTime_);
    if (clock_) {
        const LocalSeconds minute = (minute_ + 1) * kSecondsPerMinute;
        next = next ? std::min(*next, minute) : minute;
    }
    return next;
}

}  // namespace kadr::schedule
