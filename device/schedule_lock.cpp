#include "device/schedule_lock.h"

#include <charconv>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>

#include "frameset/errors.h"
#include "frameset/file_system.h"

namespace kadr {
namespace {

// Another process only looking holds the lock for a moment, and a runner that has just taken it
// has not yet written its number: the lock is tried again for up to a second before the run is
// refused for a holder that names no `kadr schedule`.
constexpr int kAttempts = 50;
constexpr std::chrono::milliseconds kPause{20};

unsigned long ProcessIn(const std::string& text) {
    unsigned long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end != text.data() ? number : 0;
}

}  // namespace

std::string ScheduleLockPath(const std::string& schedulePath) {
    const std::filesystem::path given = PathFromUtf8(schedulePath);
    std::error_code ec;
    std::filesystem::path path = std::filesystem::weakly_canonical(given, ec);
    if (ec) {
        path = std::filesystem::absolute(given, ec);
    }
    if (ec) {
        path = given;
    }
    path += ".lock";
    return Utf8FromPath(path);
}

ScheduleLockAttempt TakeScheduleLock(const std::string& schedulePath) {
    std::unique_ptr<LockFile> file = LockFile::Open(ScheduleLockPath(schedulePath), true);
    unsigned long holder = 0;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (file->TryLock()) {
            file->Write(std::to_string(ThisProcessId()) + "\n");
            return {std::move(file), 0};
        }
        holder = ProcessIn(file->Read());
        if (holder != 0 && IsScheduleProcess(holder)) {
            break;
        }
        std::this_thread::sleep_for(kPause);
    }
    return {nullptr, holder};
}

std::optional<unsigned long> ScheduleRunner(const std::string& schedulePath) {
    std::unique_ptr<LockFile> file;
    try {
        file = LockFile::Open(ScheduleLockPath(schedulePath), false);
    } catch (const Error&) {
        return std::nullopt;  // a lock that cannot be read holds nothing a user can stop
    }
    if (file == nullptr || !file->LockedElsewhere()) {
        return std::nullopt;
    }
    const unsigned long holder = ProcessIn(file->Read());
    if (holder == 0 || !IsScheduleProcess(holder)) {
        return std::nullopt;
    }
    return holder;
}

}  // namespace kadr
