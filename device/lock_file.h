#pragma once

#include <memory>
#include <string>

#include "device/native_handle.h"

namespace kadr {

// What keeping one `kadr schedule` to a schedule file needs of the system: one file a system,
// posix_lock_file.cpp (flock, /proc, signals) and win32_lock_file.cpp (LockFileEx, the named
// stop event).

// A file locked for as long as it stays open here. The system lets the lock go when the file is
// closed or the process ends, however it ends, so a file left behind by a crash holds nothing.
// The lock lies beyond the file's text, so that others may read the text while it is held.
class LockFile {
  public:
    using NativeHandle = kadr::NativeHandle;

    // The file at `path` (UTF-8), made when missing if `create`; null when it is missing and
    // not to be made. Throws FileError with the system's reason otherwise.
    static std::unique_ptr<LockFile> Open(const std::string& path, bool create);
    ~LockFile();
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    // Takes the lock when no other open file holds it, without waiting; kept until closed.
    bool TryLock();
    // Whether another open file holds the lock now; takes nothing.
    bool LockedElsewhere();
    // The whole text, replaced or read (a line of a few bytes). A text that cannot be written
    // leaves the lock held, only unnamed.
    void Write(const std::string& text);
    std::string Read();

  private:
    explicit LockFile(NativeHandle handle) : handle_(handle) {}

    NativeHandle handle_;
};

unsigned long ThisProcessId();
// Whether `processId` is a live `kadr schedule` that a stop request reaches.
bool IsScheduleProcess(unsigned long processId);
// Asks a `kadr` to stop as Ctrl+C would (SIGTERM; its named stop event on Windows); false when
// the request cannot be delivered. The caller makes sure first that the number names a `kadr`.
bool AskProcessToStop(unsigned long processId);

}  // namespace kadr
