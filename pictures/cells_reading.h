#pragma once

#include <vector>

#include "frameset/picture_cells.h"

class QImageReader;

namespace kadr {

// Readers never allocate more than this for one decoded picture, so that a hostile or merely
// huge file is refused instead of taking the machine's memory.
inline constexpr int kPictureReadLimitMb = 128;
// A still picture with more pixels than this is read scaled down by its reader (where the format
// allows it) instead of whole.
inline constexpr long long kWholeReadPixels = 4LL * 1024 * 1024;

// The cells of every picture `reader` holds, each picture brought down to its cells as it is
// read and dropped before the next one is decoded. A file with more pictures than a frame set
// has frames is refused from its count, before any picture is decoded. Throws kadr::Error.
std::vector<PictureCells> ReadCells(QImageReader& reader);

}  // namespace kadr
