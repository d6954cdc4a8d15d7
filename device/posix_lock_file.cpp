#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "device/lock_file.h"
#include "frameset/errors.h"

namespace kadr {
namespace {

constexpr std::size_t kMaxText = 64;

}  // namespace

std::unique_ptr<LockFile> LockFile::Open(const std::string& path, bool create) {
    // Not handed on to programs started from here: they would keep the lock alive.
    const int fd = open(path.c_str(), (create ? O_RDWR | O_CREAT : O_RDONLY) | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (!create && errno == ENOENT) {
            return nullptr;
        }
        throw FileErrorFromErrno(errno, path);
    }
    return std::unique_ptr<LockFile>(new LockFile(fd));
}

LockFile::~LockFile() {
    close(handle_);
}

bool LockFile::TryLock() {
    return flock(handle_, LOCK_EX | LOCK_NB) == 0;
}

bool LockFile::LockedElsewhere() {
    if (flock(handle_, LOCK_SH | LOCK_NB) == 0) {
        flock(handle_, LOCK_UN);
        return false;
    }
    return errno == EWOULDBLOCK;
}

void LockFile::Write(const std::string& text) {
    // Held all the same when this fails; readers then find no process named.
    [[maybe_unused]] const bool written =
        ftruncate(handle_, 0) == 0 &&
        pwrite(handle_, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size());
}

std::string LockFile::Read() {
    char buffer[kMaxText];
    const ssize_t n = pread(handle_, buffer, sizeof buffer, 0);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

unsigned long ThisProcessId() {
    return static_cast<unsigned long>(getpid());
}

// Linux's view of a process: its command line, the words apart. The lock already proves some
// process lives; this makes sure the number names `kadr schedule` before a signal goes to it.
bool IsScheduleProcess(unsigned long processId) {
    if (processId == 0 || processId > static_cast<unsigned long>(INT32_MAX)) {
        return false;
    }
    std::ifstream file("/proc/" + std::to_string(processId) + "/cmdline", std::ios::binary);
    const std::string line((std::istreambuf_iterator<char>(file)), {});
    std::vector<std::string> words;
    for (std::size_t start = 0; start < line.size();) {
        const std::size_t end = std::min(line.find('\0', start), line.size());
        words.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return words.size() >= 2 && words[1] == "schedule" &&
           std::filesystem::path(words[0]).filename() == "kadr";
}

bool AskProcessToStop(unsigned long processId) {
    return processId != 0 && processId <= static_cast<unsigned long>(INT32_MAX) &&
           kill(static_cast<pid_t>(processId), SIGTERM) == 0;
}

}  // namespace kadr
