#include "frameset/picture_dots.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "frameset/drawing/dot_cells.h"
#include "frameset/text/running_line.h"

namespace kadr {
namespace {

constexpr std::uint8_t kWhite = 255;

// The mean grey of the source area [x0, x1) x [y0, y1), in source pixels, weighted by how much of
// each pixel the area covers. Works for enlarging as well as for shrinking.
double AreaMean(const GreyPicture& picture, double x0, double x1, double y0, double y1) {
    double sum = 0;
    double weight = 0;
    const int firstX = std::max(0, static_cast<int>(std::floor(x0)));
    const int lastX = std::min(picture.width - 1, static_cast<int>(std::ceil(x1)) - 1);
    const int firstY = std::max(0, static_cast<int>(std::floor(y0)));
    const int lastY = std::min(picture.height - 1, static_cast<int>(std::ceil(y1)) - 1);
    for (int y = firstY; y <= lastY; ++y) {
        const double h = std::min<double>(y + 1, y1) - std::max<double>(y, y0);
        if (h <= 0) {
            continue;
        }
        for (int x = firstX; x <= lastX; ++x) {
            const double w = std::min<double>(x + 1, x1) - std::max<double>(x, x0);
            if (w <= 0) {
                continue;
            }
            sum += w * h * picture.At(x, y);
            weight += w * h;
        }
    }
    return weight > 0 ? sum / weight : kWhite;
}

GreyPicture Blank(int width, int height) {
    return GreyPicture{width, height,
                       std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), kWhite)};
}

void Check(const GreyPicture& picture) {
    if (picture.width < 0 || picture.height < 0 || picture.width > kMaxPictureSide ||
        picture.height > kMaxPictureSide ||
        picture.grey.size() !=
            static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height)) {
        throw std::invalid_argument("picture size does not match its grey levels");
    }
}

// The picture scaled to exactly `width` x `height`, each cell the mean of its area.
GreyPicture Resample(const GreyPicture& picture, int width, int height) {
    GreyPicture out = Blank(width, height);
    const double sx = static_cast<double>(picture.width) / width;
    const double sy = static_cast<double>(picture.height) / height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double mean = AreaMean(picture, x * sx, (x + 1) * sx, y * sy, (y + 1) * sy);
            out.grey[static_cast<std::size_t>(y * width + x)] =
                static_cast<std::uint8_t>(std::lround(mean));
        }
    }
    return out;
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

GreyPicture FitPicture(const GreyPicture& picture, int width, int height, bool crop) {
    Check(picture);
    GreyPicture out = Blank(width, height);
    if (picture.width == 0 || picture.height == 0) {
        return out;
    }
    if (crop) {
        for (int y = 0; y < std::min(height, picture.height); ++y) {
            for (int x = 0; x < std::min(width, picture.width); ++x) {
                out.grey[static_cast<std::size_t>(y * width + x)] = picture.At(x, y);
            }
        }
        return out;
    }
    // The largest size of the picture's proportions that fits, at least one cell each way.
    const double scale = std::min(static_cast<double>(width) / picture.width,
                                  static_cast<double>(height) / picture.height);
    const int w = std::clamp(static_cast<int>(std::lround(picture.width * scale)), 1, width);
    const int h = std::clamp(static_cast<int>(std::lround(picture.height * scale)), 1, height);
    const GreyPicture scaled = Resample(picture, w, h);
    const int left = (width - w) / 2;
    const int top = (height - h) / 2;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            out.grey[static_cast<std::size_t>((top + y) * width + left + x)] = scaled.At(x, y);
        }
    }
    return out;
}

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

std::vector<Frame> FramesOfPicture(const GreyPicture& picture, const PictureToDots& options) {
    Check(picture);
    // Height 14 keeping proportions: how wide the picture would be as a running line.
    const long long lineWidth =
        picture.height == 0
            ? 0
            : std::llround(static_cast<double>(picture.width) * kDotRows / picture.height);
    const int width = options.crop
                          ? picture.width
                          : static_cast<int>(std::min<long long>(lineWidth, kMaxFrames * kColumns));
    const bool asLine = options.runningLine && picture.height > 0 && width > kColumns;
    if (!asLine) {
        const GreyPicture cells = FitPicture(picture, kColumns, kDotRows, options.crop);
        return {FrameOfDots(DotsOfPicture(cells, options))};
    }
    const GreyPicture cells = FitPicture(picture, width, kDotRows, options.crop);
    const std::vector<bool> dots = DotsOfPicture(cells, options);
    text::TextPicture strip;
    strip.width = width;
    strip.ink.assign(static_cast<std::size_t>(width) * kDotRows, 0);
    for (int y = 0; y < kDotRows; ++y) {
        for (int x = 0; x < width; ++x) {
            if (dots[static_cast<std::size_t>(y * width + x)]) {
                strip.SetInk(x, y);
            }
        }
    }
    return text::RunningLineFrames(strip);
}

std::vector<Frame> FramesOfPictures(const std::vector<GreyPicture>& pictures,
                                    const PictureToDots& options) {
    std::vector<Frame> frames;
    for (const GreyPicture& picture : pictures) {
        const std::vector<Frame> more = FramesOfPicture(picture, options);
        frames.insert(frames.end(), more.begin(), more.end());
        if (options.runningLine && more.size() > 1) {
            break;
        }
    }
    return frames;
}

}  // namespace kadr
