#include "frameset/picture_dots.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "frameset/drawing/dot_cells.h"
#include "frameset/errors.h"
#include "frameset/text/running_line.h"

namespace kadr {
namespace {

void Check(const GreyPicture& picture) {
    if (picture.width < 0 || picture.height < 0 ||
        picture.grey.size() !=
            static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height)) {
        throw std::invalid_argument("picture size does not match its grey levels");
    }
}

// Dots of a 28-column grid into an animation frame.
Frame FrameOfDots(const std::vector<bool>& dots) {
    Frame frame;
    FillBlank(frame);
    for (int y = 0; y < kDotRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            if (dots[static_cast<std::size_t>(y * kColumns + x)]) {
                frame[static_cast<std::size_t>(DotCellIndex({x, y}))] = kDotSet;
            }
        }
    }
    return frame;
}

}  // namespace

std::vector<bool> DotsOfPicture(const GreyPicture& cells, const PictureToDots& options) {
    Check(cells);
    const int threshold = std::clamp(options.threshold, 0, 256);
    const std::size_t count = cells.grey.size();
    std::vector<bool> dots(count, false);
    if (!options.dither) {
        for (std::size_t i = 0; i < count; ++i) {
            dots[i] = (cells.grey[i] < threshold) != options.invert;
        }
        return dots;
    }
    // Floyd-Steinberg: the threshold still decides each cell, the error of every decision goes
    // to the cells not yet decided (7/16 right, 3/16 below left, 5/16 below, 1/16 below right).
    std::vector<double> level(cells.grey.begin(), cells.grey.end());
    const int w = cells.width;
    const auto spread = [&](int x, int y, double error) {
        if (x >= 0 && x < w && y < cells.height) {
            level[static_cast<std::size_t>(y * w + x)] += error;
        }
    };
    for (int y = 0; y < cells.height; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * w + x);
            const bool dark = level[i] < threshold;
            const double error = level[i] - (dark ? 0.0 : 255.0);
            dots[i] = dark != options.invert;
            spread(x + 1, y, error * 7 / 16);
            spread(x - 1, y + 1, error * 3 / 16);
            spread(x, y + 1, error * 5 / 16);
            spread(x + 1, y + 1, error * 1 / 16);
        }
    }
    return dots;
}

std::vector<Frame> FramesOfCells(const PictureCells& cells, const PictureToDots& options) {
    if (options.crop && cells.cropMissing) {
        throw Error("The picture is too large to be cut 1:1 (" + std::to_string(cells.width) +
                    " x " + std::to_string(cells.height) + ")");
    }
    const GreyPicture& line = options.crop ? cells.lineCrop : cells.lineFit;
    if (!options.runningLine || line.width <= kColumns) {
        return {FrameOfDots(DotsOfPicture(options.crop ? cells.crop : cells.fit, options))};
    }
    const std::vector<bool> dots = DotsOfPicture(line, options);
    text::TextPicture strip;
    strip.width = line.width;
    strip.ink.assign(static_cast<std::size_t>(line.width) * kDotRows, 0);
    for (int y = 0; y < kDotRows; ++y) {
        for (int x = 0; x < line.width; ++x) {
            if (dots[static_cast<std::size_t>(y * line.width + x)]) {
                strip.SetInk(x, y);
            }
        }
    }
    return text::RunningLineFrames(strip);
}

std::vector<Frame> FramesOfPicture(const GreyPicture& picture, const PictureToDots& options) {
    return FramesOfCells(CellsOfPicture(picture), options);
}

std::vector<Frame> FramesOfPictures(const std::vector<PictureCells>& pictures,
                                    const PictureToDots& options) {
    std::vector<Frame> frames;
    for (const PictureCells& picture : pictures) {
        const std::vector<Frame> more = FramesOfCells(picture, options);
        frames.insert(frames.end(), more.begin(), more.end());
        if (options.runningLine && more.size() > 1) {
            break;
        }
    }
    return frames;
}

}  // namespace kadr
