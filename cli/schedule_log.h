#pragma once

#include <cstdint>
#include <string>

#include "frameset/schedule/local_time.h"

namespace kadr::cli {

// The log of a running schedule: each line on stdout and at the end of a file beside the
// schedule (shop.json logs to shop.log). The file stays small: once it passes kMaxLogBytes it
// becomes shop.log.1 (replacing the one before) and a new shop.log begins, so the two never
// hold more than twice that. A log file that cannot be written costs only the file's lines.
class ScheduleLog {
  public:
    static constexpr std::uint64_t kMaxLogBytes = 256 * 1024;

    explicit ScheduleLog(std::string path) : path_(std::move(path)) {}

    // "2024-05-06 08:00:00 " and the text.
    void Line(schedule::LocalSeconds at, const std::string& text);
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    bool warned_ = false;
};

// shop.json -> shop.log, in the same folder.
std::string LogPathFor(const std::string& schedulePath);

}  // namespace kadr::cli
