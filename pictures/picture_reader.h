#pragma once

#include <string>
#include <vector>

#include "frameset/picture_cells.h"

namespace kadr {

// Every picture of the image file named in UTF-8 (PNG, BMP, JPEG, GIF; an animated GIF gives each
// of its pictures), transparency laid over white, as the grey cells the import makes frames of.
// Throws kadr::Error with a message for the user when the file is no regular file, is too large,
// has more pictures than a frame set has frames, or holds no readable picture.
std::vector<PictureCells> ReadPictures(const std::string& path);

}  // namespace kadr
