#pragma once

#include <cstdint>
#include <vector>

#include "frameset/frame_set.h"

namespace kadr {

// A picture as a grid of grey levels, 0 black .. 255 white, row by row from the top left; what
// the image readers hand over, with any transparency already laid over white.
struct GreyPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> grey;  // width * height values

    std::uint8_t At(int x, int y) const {
        return grey[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)];
    }
};

struct PictureToDots {
    int threshold = 128;       // grey levels below it become set dots
    bool crop = false;         // cut 1:1 from the top left instead of scaling to fit
    bool dither = false;       // error diffusion instead of a plain threshold
    bool invert = false;       // light parts become the dots
    bool runningLine = false;  // a picture wider than 28 at 14 rows becomes a running line
};

// Largest pictures accepted, so that a hostile header cannot make us allocate without end.
inline constexpr int kMaxPictureSide = 16384;

// The picture brought to `width` x `height` cells: scaled to fit keeping its proportions and
// centred on white, or with `crop` cut 1:1 from its top left (white where it is smaller). Each
// cell takes the mean grey of the picture area it covers.
GreyPicture FitPicture(const GreyPicture& picture, int width, int height, bool crop);

// Grey cells into dots: true where a dot is set. Dithering spreads each cell's rounding error to
// its neighbours (Floyd-Steinberg), so greys become a pattern of matching density.
std::vector<bool> DotsOfPicture(const GreyPicture& cells, const PictureToDots& options);

// The frames one picture gives: a single animation frame; or, for a running line of a picture
// wider than 28 cells at 14 rows, a start frame, one running-line frame for every 28 columns (the
// last one padded with clear dots) and an end frame.
std::vector<Frame> FramesOfPicture(const GreyPicture& picture, const PictureToDots& options);

// Every picture of a file (an animated GIF has several) gives its frames in order; once one has
// become a running line the pictures after it are left out.
std::vector<Frame> FramesOfPictures(const std::vector<GreyPicture>& pictures,
                                    const PictureToDots& options);

}  // namespace kadr
