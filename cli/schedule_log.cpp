#include "cli/schedule_log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "frameset/file_system.h"

namespace kadr::cli {

void ScheduleLog::Line(schedule::LocalSeconds at, const std::string& text) {
    const std::string line = schedule::StampText(at) + " " + text + "\n";
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);

    const std::filesystem::path file = PathFromUtf8(path_);
    std::error_code ec;
    if (std::filesystem::file_size(file, ec) > kMaxLogBytes && !ec) {
        std::filesystem::path old = file;
        old += ".1";
        std::filesystem::rename(file, old, ec);
    }
    std::FILE* out = OpenFile(file, "ab");
    const bool written = out != nullptr && std::fputs(line.c_str(), out) >= 0;
    const bool closed = out != nullptr && std::fclose(out) == 0;
    if ((!written || !closed) && !warned_) {
        warned_ = true;
        std::fprintf(stderr, "kadr: %s: the log cannot be written (%s); it goes on stdout only\n",
                     path_.c_str(), std::strerror(errno));
    }
}

std::string LogPathFor(const std::string& schedulePath) {
    std::filesystem::path path = PathFromUtf8(schedulePath);
    path.replace_extension(".log");
    return Utf8FromPath(path);
}

}  // namespace kadr::cli
