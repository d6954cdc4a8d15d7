#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace kadr {

// File names are UTF-8 throughout the frame set (a module name's characters are counted in
// UTF-8). On Windows the narrow forms of std::filesystem::path and fopen mean the ANSI code
// page instead, so every name passes through these on its way to the file system; elsewhere
// names are passed on byte for byte.
std::filesystem::path PathFromUtf8(const std::string& name);
std::string Utf8FromPath(const std::filesystem::path& path);
// std::fopen for a path of any spelling; null with errno set on failure.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);
// Puts what has been written to the file on the medium; false on failure with errno set.
// Renaming an unsynced file over the old one can leave an empty file after a power cut.
bool SyncToDisk(std::FILE* file);

}  // namespace kadr
