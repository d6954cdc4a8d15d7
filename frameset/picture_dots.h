#pragma once

#include <cstdint>
#include <vector>

#include "frameset/frame_set.h"
#include "frameset/picture_cells.h"

namespace kadr {

struct PictureToDots {
    int threshold = 128;       // grey levels below it become set dots
    bool crop = false;         // cut 1:1 from the top left instead of scaling to fit
    bool dither = false;       // error diffusion instead of a plain threshold
    bool invert = false;       // light parts become the dots
    bool runningLine = false;  // a picture wider than 28 at 14 rows becomes a running line
};

// Grey cells into dots: true where a dot is set. Dithering spreads each cell's rounding error to
// its neighbours (Floyd-Steinberg), so greys become a pattern of matching density.
std::vector<bool> DotsOfPicture(const GreyPicture& cells, const PictureToDots& options);

// The frames one picture gives from its cells: a single animation frame; or, for a running line
// of a picture wider than 28 cells at 14 rows, a start frame, one running-line frame for every 28
// columns (the last one padded with clear dots) and an end frame. Throws kadr::Error when the
// choice needs cells the picture could not give (cut 1:1 from a picture too large to read whole).
std::vector<Frame> FramesOfCells(const PictureCells& cells, const PictureToDots& options);

// The same straight from a whole picture.
std::vector<Frame> FramesOfPicture(const GreyPicture& picture, const PictureToDots& options);

// Every picture of a file (an animated GIF has several) gives its frames in order; once one has
// become a running line the pictures after it are left out.
std::vector<Frame> FramesOfPictures(const std::vector<PictureCells>& pictures,
                                    const PictureToDots& options);

}  // namespace kadr
