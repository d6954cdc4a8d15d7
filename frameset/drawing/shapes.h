#pragma once

#include "frameset/drawing/dot_cells.h"

namespace kadr {

// Which cells a tool covers. Every function returns each covered cell once, in a fixed order,
// and only cells inside the picture; the ends may lie anywhere in the picture.

// The integer (Bresenham) line from `a` to `b`, both ends included; a == b is one cell.
DotCells LineCells(DotCell a, DotCell b);
// The outline of the rectangle with opposite corners `a` and `b`.
DotCells RectangleCells(DotCell a, DotCell b);
// Every cell of that rectangle.
DotCells BoxCells(DotCell a, DotCell b);
// The 4-connected region of cells equal to the cell at `seed` (set or clear alike), within the
// picture; row 7 and row 9 of the frame are neighbours. Empty when `seed` is outside.
DotCells RegionCells(const Frame& frame, DotCell seed);

}  // namespace kadr
