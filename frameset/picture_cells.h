#pragma once

#include <cstdint>
#include <vector>

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

// Largest pictures accepted, so that a hostile header cannot make us allocate without end.
inline constexpr int kMaxPictureSide = 16384;

// Everything the import can make of one picture, each as grey cells no larger than the frames
// need, so that the picture itself is never kept: a choice in the import only thresholds these.
struct PictureCells {
    int width = 0;  // the picture's own size
    int height = 0;
    GreyPicture fit;   // 28 x 14: scaled to fit keeping its proportions, centred on white
    GreyPicture crop;  // 28 x 14: cut 1:1 from the top left, white where the picture is smaller
    // As a running line: scaled to 14 rows (at most 256 frames wide), and the top 14 rows 1:1.
    // Each is empty when the line would be no wider than one frame, or was not asked for.
    GreyPicture lineFit;
    GreyPicture lineCrop;
    bool cropMissing = false;  // the picture was too large to be read 1:1
};

// Brings a picture to `outWidth` x `outHeight` cells from its rows as they come, each cell the
// mean grey of the picture area it covers, weighted by how much of each pixel it covers (so it
// works for enlarging as well as for shrinking).
class AreaScaler {
  public:
    AreaScaler(int width, int height, int outWidth, int outHeight);
    void AddRow(int y, const std::uint8_t* grey);  // `width` greys; each row once, in any order
    // The cells, rounded to grey levels, into `out` with the first at (left, top).
    void Into(GreyPicture& out, int left, int top) const;

  private:
    int width_;
    int height_;
    int outWidth_;
    int outHeight_;
    double sx_;  // picture pixels per cell
    double sy_;
    std::vector<int> firstX_;  // per cell column, the picture columns it touches
    std::vector<int> lastX_;
    std::vector<double> rowSum_;  // one picture row's weighted sums per cell column
    std::vector<double> rowWeight_;
    std::vector<double> sum_;  // per cell
    std::vector<double> weight_;
};

// Which cells to make. A running line takes only the first picture of a file that is wide enough,
// so the line cells of the pictures after it are not needed.
struct CellParts {
    bool lineFit = true;
    bool lineCrop = true;
};

// Makes a picture's cells from its rows as a reader delivers them, without holding the picture:
// each cell is the mean grey of the picture area it covers. The rows may come scaled down
// (`rowsWidth` x `rowsHeight`, a reader's cheaper way with a large picture): the scaled cells
// are then made from them and the cut ones are left white, to be set by CutCells.
class CellsMaker {
  public:
    CellsMaker(int width, int height, CellParts parts);
    CellsMaker(int width, int height, CellParts parts, int rowsWidth, int rowsHeight);
    CellsMaker(const CellsMaker&) = delete;
    CellsMaker& operator=(const CellsMaker&) = delete;

    // Row `y` (0 .. rowsHeight - 1) of rowsWidth greys; each row once, in any order.
    void AddRow(int y, const std::uint8_t* grey);
    PictureCells Finish();

  private:
    PictureCells cells_;
    CellParts parts_;
    int rowsWidth_;
    int rowsHeight_;
    bool oneToOne_;
    // Where the scaled cells go: the fitted frame and the fitted line, each in its cell grid.
    struct Placed {
        AreaScaler scaler;
        GreyPicture* into;
        int left;
        int top;
    };
    std::vector<Placed> scaled_;
};

// The cut cells (crop, lineCrop) from the top left corner of the picture, at least
// min(width, ..) x min(height, 14) of it, 1:1.
void CutCells(const GreyPicture& topLeft, PictureCells& cells, CellParts parts);

// All of a picture's cells at once.
PictureCells CellsOfPicture(const GreyPicture& picture, CellParts parts = {});

}  // namespace kadr
