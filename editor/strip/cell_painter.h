#pragma once

#include <QColor>
#include <QRect>

#include "frameset/frame_set.h"

class QPainter;

namespace kadr::editor {

// The colours of a frame grid. Clear dots of frames without a tint keep the grid's background.
namespace cell_colours {
inline const QColor kGridLine{192, 192, 192};
inline const QColor kModuleStripe{0, 0, 255};
inline const QColor kSetDot{0, 0, 0};
inline const QColor kMarkSet{128, 128, 128};
inline const QColor kMarkClear{230, 227, 225};
inline const QColor kStartTint{151, 239, 255};
inline const QColor kEndTint{255, 185, 220};
// The previous frame's dots behind this one's: lighter than every other colour of the grid.
inline const QColor kOnionSkin{200, 200, 200};
// The edge of a selected frame's grid, and of the current one among several: orange, far from the
// cyan and pink tints, the blue stripes and the greys.
inline const QColor kSelectedEdge{255, 140, 0};
inline const QColor kCurrentEdge{190, 60, 0};
}  // namespace cell_colours

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
