#include <unistd.h>

#include "frameset/file_system.h"

namespace kadr {

std::filesystem::path PathFromUtf8(const std::string& name) {
    return std::filesystem::path(name);
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    return path.string();
}

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool SyncToDisk(std::FILE* file) {
    return fsync(fileno(file)) == 0;
}

}  // namespace kadr
