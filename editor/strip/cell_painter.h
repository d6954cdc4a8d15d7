#pragma once

#include <QColor>
#include <QRect>

#include "editor/dots/grid_colours.h"
#include "frameset/frame_set.h"

class QPainter;

namespace kadr::editor {

// Paints one grid cell of `frame` over the background the grid has already filled in: the module
// stripes first, then a fill of the whole cell for marks, set dots and the tint of running-line
// start and end frames. Clear dots of other frames are left alone, so their stripes stay visible.
// The grid never paints a selection highlight, so nothing has to hide one.
void DrawGrid1DrawCell(QPainter& painter, const Frame& frame, int column, int gridRow,
                       const QRect& cell);

// The colour of the dot of dot row `row` (0..13) as the grid shows it: set dots black, a clear dot
// that `previous` (the frame before, when the previous-frame view shows it) has set in light
// grey, else the tint of a start or end frame, else `background`.
QColor DotCellColour(const Frame& frame, const Frame* previous, int column, int row,
                     const QColor& background);

// The module stripes a clear, untinted cell of the grid shows: left of columns 7, 14 and 21, above
// grid row 8.
void DrawModuleStripes(QPainter& painter, int column, int gridRow, const QRect& cell);

}  // namespace kadr::editor
