#pragma once

#include <string>

#include "frameset/frame_set.h"
#include "frameset/read_report.h"

namespace kadr {

// Replaces frames 0..n-1, LastFrame and the three settings from a display file. Throws
// FileError when the file cannot be opened or read; a short file still reads (as fewer or no
// frames).
ReadReport ReadDisplayFile(const std::string& path, FrameSet& set);

// Writes the header and frames 0..LastFrame. The old file survives any failure.
void WriteDisplayFile(const std::string& path, const FrameSet& set);

}  // namespace kadr
