#include "cli/file_watch.h"

#include <filesystem>
#include <system_error>

#include "frameset/file_system.h"

namespace kadr::cli {

FileWatch::Seen FileWatch::Look(const std::string& path) {
    const std::filesystem::path file = PathFromUtf8(path);
    std::error_code ec;
    Seen seen{path, false, 0, 0};
    const auto modified = std::filesystem::last_write_time(file, ec);
    if (ec) {
        return seen;
    }
    seen.exists = true;
    seen.modified = modified.time_since_epoch().count();
    seen.size = std::filesystem::file_size(file, ec);
    return seen;
}

void FileWatch::Watch(const std::vector<std::string>& paths) {
    seen_.clear();
    for (const std::string& path : paths) {
        seen_.push_back(Look(path));
    }
}

bool FileWatch::Changed() {
    bool changed = false;
    for (Seen& seen : seen_) {
        Seen now = Look(seen.path);
        if (!(now == seen)) {
            changed = true;
            seen = std::move(now);
        }
    }
    return changed;
}

}  // namespace kadr::cli
