#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kadr::cli {

// Files watched by their modification time and size, looked at when asked (the runner asks at
// most once a second): cheaper than a notification service, and the same on every system.
class FileWatch {
  public:
    // The files to watch from now on, as they are now.
    void Watch(const std::vector<std::string>& paths);
    // Whether any of them changed (appeared, went, was written) since the last look.
    bool Changed();

  private:
    struct Seen {
        std::string path;
        bool exists = false;
        std::int64_t modified = 0;
        std::uintmax_t size = 0;
        bool operator==(const Seen&) const = default;
    };
    static Seen Look(const std::string& path);

    std::vector<Seen> seen_;
};

}  // namespace kadr::cli
