#include "frameset/picture_cells.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "frameset/drawing/dot_cells.h"
#include "frameset/frame_set.h"

namespace kadr {
namespace {

constexpr std::uint8_t kWhite = 255;

GreyPicture Blank(int width, int height) {
    return GreyPicture{
        width, height,
        std::vector<std::uint8_t>(
            static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kWhite)};
}

// The largest size of the picture's proportions that fits `width` x `height`, at least one cell
// each way, and where it stands when centred.
struct Placement {
    int width;
    int height;
    int left;
    int top;
};

Placement FitInto(int pictureWidth, int pictureHeight, int width, int height) {
    const double scale = std::min(static_cast<double>(width) / pictureWidth,
                                  static_cast<double>(height) / pictureHeight);
    const int w = std::clamp(static_cast<int>(std::lround(pictureWidth * scale)), 1, width);
    const int h = std::clamp(static_cast<int>(std::lround(pictureHeight * scale)), 1, height);
    return {w, h, (width - w) / 2, (height - h) / 2};
}

// How wide the picture is as a running line at 14 rows, keeping its proportions; a line
// longer than the set can hold would be refused anyway.
int LineWidth(int pictureWidth, int pictureHeight) {
    const long long width =
        std::llround(static_cast<double>(pictureWidth) * kDotRows / pictureHeight);
    return static_cast<int>(std::min<long long>(width, kMaxFrames * kColumns));
}

void CopyTopLeft(const std::uint8_t* row, int y, int count, GreyPicture& into) {
    if (y >= into.height) {
        return;
    }
    std::copy_n(row, std::min(count, into.width),
                into.grey.begin() + static_cast<std::ptrdiff_t>(y) * into.width);
}

}  // namespace

AreaScaler::AreaScaler(int width, int height, int outWidth, int outHeight)
    : width_(width),
      height_(height),
      outWidth_(outWidth),
      outHeight_(outHeight),
      sx_(static_cast<double>(width) / outWidth),
      sy_(static_cast<double>(height) / outHeight),
      firstX_(static_cast<std::size_t>(outWidth)),
      lastX_(static_cast<std::size_t>(outWidth)),
      rowSum_(static_cast<std::size_t>(outWidth)),
      rowWeight_(static_cast<std::size_t>(outWidth)),
      sum_(static_cast<std::size_t>(outWidth) * static_cast<std::size_t>(outHeight)),
      weight_(sum_.size()) {
    for (int tx = 0; tx < outWidth; ++tx) {
        firstX_[static_cast<std::size_t>(tx)] = std::max(0, static_cast<int>(std::floor(tx * sx_)));
        lastX_[static_cast<std::size_t>(tx)] =
            std::min(width - 1, static_cast<int>(std::ceil((tx + 1) * sx_)) - 1);
    }
}

void AreaScaler::AddRow(int y, const std::uint8_t* grey) {
    if (y < 0 || y >= height_) {
        return;
    }
    for (int tx = 0; tx < outWidth_; ++tx) {
        const double x0 = tx * sx_;
        const double x1 = (tx + 1) * sx_;
        double sum = 0;
        double weight = 0;
        for (int x = firstX_[static_cast<std::size_t>(tx)];
             x <= lastX_[static_cast<std::size_t>(tx)]; ++x) {
            const double w = std::min<double>(x + 1, x1) - std::max<double>(x, x0);
            if (w > 0) {
                sum += w * grey[x];
                weight += w;
            }
        }
        rowSum_[static_cast<std::size_t>(tx)] = sum;
        rowWeight_[static_cast<std::size_t>(tx)] = weight;
    }
    // The cell rows this picture row reaches; one before the computed first in case the
    // division rounded up.
    for (int ty = std::max(0, static_cast<int>(std::floor(y / sy_)) - 1);
         ty < outHeight_ && ty * sy_ < y + 1; ++ty) {
        const double h = std::min<double>(y + 1, (ty + 1) * sy_) - std::max<double>(y, ty * sy_);
        if (h <= 0) {
            continue;
        }
        const std::size_t base = static_cast<std::size_t>(ty) * static_cast<std::size_t>(outWidth_);
        for (std::size_t tx = 0; tx < static_cast<std::size_t>(outWidth_); ++tx) {
            sum_[base + tx] += h * rowSum_[tx];
            weight_[base + tx] += h * rowWeight_[tx];
        }
    }
}

void AreaScaler::Into(GreyPicture& out, int left, int top) const {
    for (int ty = 0; ty < outHeight_; ++ty) {
        for (int tx = 0; tx < outWidth_; ++tx) {
            const std::size_t i = static_cast<std::size_t>(ty * outWidth_ + tx);
            const double mean = weight_[i] > 0 ? sum_[i] / weight_[i] : kWhite;
            out.grey[static_cast<std::size_t>((top + ty) * out.width + left + tx)] =
                static_cast<std::uint8_t>(std::lround(mean));
        }
    }
}

CellsMaker::CellsMaker(int width, int height, CellParts parts)
    : CellsMaker(width, height, parts, width, height) {}

CellsMaker::CellsMaker(int width, int height, CellParts parts, int rowsWidth, int rowsHeight)
    : parts_(parts),
      rowsWidth_(rowsWidth),
      rowsHeight_(rowsHeight),
      oneToOne_(rowsWidth == width && rowsHeight == height) {
    if (width < 0 || height < 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
        rowsWidth < 0 || rowsHeight < 0 || rowsWidth > width || rowsHeight > height) {
        throw std::invalid_argument("picture size out of range");
    }
    cells_.width = width;
    cells_.height = height;
    cells_.fit = Blank(kColumns, kDotRows);
    cells_.crop = Blank(kColumns, kDotRows);
    if (width == 0 || height == 0 || rowsWidth == 0 || rowsHeight == 0) {
        return;
    }
    scaled_.reserve(2);
    const Placement frame = FitInto(width, height, kColumns, kDotRows);
    scaled_.push_back(Placed{AreaScaler(rowsWidth, rowsHeight, frame.width, frame.height),
                             &cells_.fit, frame.left, frame.top});
    const int lineWidth = LineWidth(width, height);
    if (parts.lineFit && lineWidth > kColumns) {
        cells_.lineFit = Blank(lineWidth, kDotRows);
        const Placement line = FitInto(width, height, lineWidth, kDotRows);
        scaled_.push_back(Placed{AreaScaler(rowsWidth, rowsHeight, line.width, line.height),
                                 &cells_.lineFit, line.left, line.top});
    }
    if (parts.lineCrop && width > kColumns) {
        cells_.lineCrop = Blank(width, kDotRows);
    }
}

void CellsMaker::AddRow(int y, const std::uint8_t* grey) {
    if (y < 0 || y >= rowsHeight_) {
        return;
    }
    for (Placed& placed : scaled_) {
        placed.scaler.AddRow(y, grey);
    }
    if (oneToOne_) {
        CopyTopLeft(grey, y, rowsWidth_, cells_.crop);
        CopyTopLeft(grey, y, rowsWidth_, cells_.lineCrop);
    }
}

PictureCells CellsMaker::Finish() {
    for (const Placed& placed : scaled_) {
        placed.scaler.Into(*placed.into, placed.left, placed.top);
    }
    scaled_.clear();
    return std::move(cells_);
}

void CutCells(const GreyPicture& topLeft, PictureCells& cells, CellParts parts) {
    cells.crop = Blank(kColumns, kDotRows);
    cells.lineCrop =
        parts.lineCrop && cells.width > kColumns ? Blank(cells.width, kDotRows) : GreyPicture{};
    for (int y = 0; y < std::min(topLeft.height, kDotRows); ++y) {
        const std::uint8_t* row =
            &topLeft.grey[static_cast<std::size_t>(y) * static_cast<std::size_t>(topLeft.width)];
        CopyTopLeft(row, y, topLeft.width, cells.crop);
        CopyTopLeft(row, y, topLeft.width, cells.lineCrop);
    }
    cells.cropMissing = false;
}

PictureCells CellsOfPicture(const GreyPicture& picture, CellParts parts) {
    if (picture.width < 0 || picture.height < 0 ||
        picture.grey.size() !=
            static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height)) {
        throw std::invalid_argument("picture size does not match its grey levels");
    }
    CellsMaker maker(picture.width, picture.height, parts);
    for (int y = 0; y < picture.height; ++y) {
        maker.AddRow(
            y,
            &picture.grey[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width)]);
    }
    return maker.Finish();
}

}  // namespace kadr
