#include "device/comms_log.h"

#include <cerrno>
#include <cstdio>
#include <mutex>

#include "frameset/errors.h"
#include "frameset/file_system.h"

namespace kadr {
namespace {

struct CommsLog {
    std::mutex mutex;
    std::string name;
    std::FILE* file = nullptr;
};

CommsLog& Log() {
    static CommsLog log;
    return log;
}

}  // namespace

void SetCommsLogFileName(const std::string& name) {
    std::lock_guard lock(Log().mutex);
    Log().name = name;
}

std::string CommsLogFileName() {
    std::lock_guard lock(Log().mutex);
    return Log().name;
}

void OpenCommsLog() {
    std::lock_guard lock(Log().mutex);
    if (Log().file != nullptr) {
        std::fclose(Log().file);
        Log().file = nullptr;
    }
    if (Log().name.empty()) {
        return;
    }
    Log().file = OpenFile(PathFromUtf8(Log().name), "w");
    if (Log().file == nullptr) {
        throw FileErrorFromErrno(errno, Log().name);
    }
}

void CloseCommsLog() {
    std::lock_guard lock(Log().mutex);
    if (Log().file != nullptr) {
        std::fclose(Log().file);
        Log().file = nullptr;
    }
}

void LogLine(std::string_view text) {
    std::lock_guard lock(Log().mutex);
    if (Log().name.empty() || Log().file == nullptr) {
        return;
    }
    std::string line(text);
    line += '\n';
    // Flushed per line so that a log read while the port is open shows everything so far.
    if (std::fputs(line.c_str(), Log().file) < 0 || std::fflush(Log().file) != 0) {
        throw FileErrorFromErrno(errno, Log().name);
    }
}

void LogError(int error, std::string_view prefix) {
    const std::string text = FormatLastError(error);
    std::string line(prefix);
    if (text.empty()) {
        line += "Out of memory";
    } else {
        line += "GetLastError returned: \"" + text + "\"";
    }
    LogLine(line);
}

}  // namespace kadr
