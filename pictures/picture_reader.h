#pragma once

#include <string>
#include <vector>

#include "frameset/picture_dots.h"

namespace kadr {

// More pictures than frames fit are never needed: the import would be refused anyway.
inline constexpr int kMaxPicturesRead = kMaxFrames + 1;

// Every picture of an image file named in UTF-8 (PNG, BMP, JPEG, GIF; an animated GIF gives each of
// its pictures), transparency laid over white, as grey levels. Throws kadr::Error with a message
// for the user when the file is no regular file, is too large, or holds no readable picture.
std::vector<GreyPicture> ReadPictures(const std::string& path);

}  // namespace kadr
