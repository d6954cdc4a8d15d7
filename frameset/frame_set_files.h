#pragma once

#include <string>

#include "frameset/frame_set.h"
#include "frameset/read_report.h"

namespace kadr {

// The extension alone picks the format: ".bin" in any letter case is a module file set,
// anything else a display file.
ReadReport ReadFrameSetFile(const std::string& path, FrameSet& set);
void WriteFrameSetFile(const std::string& path, const FrameSet& set);

}  // namespace kadr
