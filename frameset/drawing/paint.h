#pragma once

#include "frameset/drawing/dot_cells.h"

namespace kadr {

// What a tool does to the cells it covers.
enum class Paint { Set, Clear, Toggle };

// Applies `paint` to every cell in `cells` (cells outside the picture are ignored). The mark
// rows are never reached: dot cells map onto the dot rows only.
void PaintCells(Frame& frame, const DotCells& cells, Paint paint);

}  // namespace kadr
