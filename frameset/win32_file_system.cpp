#include <io.h>
#include <wchar.h>

#include "frameset/file_system.h"

namespace kadr {

// The narrow forms would take the ANSI code page; UTF-8 goes through the wide ones.
std::filesystem::path PathFromUtf8(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
}

bool SyncToDisk(std::FILE* file) {
    return _commit(_fileno(file)) == 0;
}

}  // namespace kadr
