#include "device/comms_log.h"

#include <locale.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "frameset/errors.h"

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

// glibc answers every unknown number with "Unknown error N" rather than failing, so that text
// is how it says it has none.
bool IsUnknownErrorText(const char* text) {
    return std::strncmp(text, "Unknown error", 13) == 0;
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
    Log().file = std::fopen(Log().name.c_str(), "w");
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

std::string FormatLastError(int error) {
    // The C locale's texts are the English ones, whatever language the user runs in.
    static const locale_t english = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (english != static_cast<locale_t>(nullptr)) {
        const char* text = strerror_l(error, english);
        if (text != nullptr && !IsUnknownErrorText(text)) {
            return text;
        }
    }
    return "FormatMessage failed on error " + std::to_string(error) +
           " for the following reason: " +
           std::to_string(english == static_cast<locale_t>(nullptr) ? errno : EINVAL);
}

void DebugOutput(std::string_view text) {
    static const bool enabled = std::getenv("KADR_COMM_DEBUG") != nullptr;
    if (enabled) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
}

}  // namespace kadr
