#pragma once

#include <array>
#include <string>

#include "frameset/frame_set.h"
#include "frameset/read_report.h"

namespace kadr {

inline constexpr int kModuleCount = 8;

// True when the path's extension is ".bin" in any letter case.
bool IsModuleFileSetPath(const std::string& path);

// The eight module file paths for a chosen path, in the order h4, h3, h2, h1, l4, l3, l2, l1.
// A file-name part of 6 or more characters gets the module code over its first two characters;
// a shorter one gets the code in front. Both land in the chosen file's folder. Characters are
// counted as UTF-8 code points.
std::array<std::string, kModuleCount> ModuleFileNames(const std::string& chosenPath);

// Reads the module files in order until one is missing (then `complete` is false). Orientation
// and speeds are not part of the set and are left alone. Throws FileError.
ReadReport ReadModuleFiles(const std::string& chosenPath, FrameSet& set);

// Writes all eight files, or none: the old files survive any failure. Throws FileError.
void WriteModuleFiles(const std::string& chosenPath, const FrameSet& set);

}  // namespace kadr
