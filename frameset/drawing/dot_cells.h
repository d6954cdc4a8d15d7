#pragma once

#include <vector>

#include "frameset/frame_set.h"

namespace kadr {

// The kDotRows (14) dot rows of a frame seen as one picture of 28 x 14 dots: y 0..6 are frame
// rows 1..7, y 7..13 frame rows 9..15. Drawing works in these coordinates so that shapes and fills
// run straight across the seam of the two module rows; y + 1 is the grid row of the frame grids.

struct DotCell {
    int x = 0;  // column 0..27
    int y = 0;  // dot row 0..13
    friend bool operator==(const DotCell&, const DotCell&) = default;
};

constexpr bool InPicture(DotCell cell) {
    return cell.x >= 0 && cell.x < kColumns && cell.y >= 0 && cell.y < kDotRows;
}
constexpr int FrameRowOfDotRow(int y) {
    return y < 7 ? y + 1 : y + 2;
}
constexpr int DotCellIndex(DotCell cell) {
    return CellIndex(cell.x, FrameRowOfDotRow(cell.y));
}

using DotCells = std::vector<DotCell>;

}  // namespace kadr
