#pragma once

#include <memory>
#include <optional>
#include <string>

#include "device/lock_file.h"

namespace kadr {

// One `kadr schedule` a schedule file, so that two never fight over the port and the log. The
// one that runs a schedule holds the lock of a file beside it (shop.json: shop.json.lock, found
// through the schedule's real path, so that every name of the file meets the same lock) for its
// whole life, its process number written in it. The file stays when the run ends: only a held
// lock counts, so a file left behind by a crash never keeps a new run out.

std::string ScheduleLockPath(const std::string& schedulePath);

struct ScheduleLockAttempt {
    std::unique_ptr<LockFile> lock;  // held, to be kept for the run; null when another runs it
    unsigned long holder = 0;        // then the process that does, 0 when it names none
};
// Throws FileError when the lock file cannot be made (a folder that cannot be written).
ScheduleLockAttempt TakeScheduleLock(const std::string& schedulePath);

// The live `kadr schedule` that runs the schedule, if one does.
std::optional<unsigned long> ScheduleRunner(const std::string& schedulePath);

}  // namespace kadr
