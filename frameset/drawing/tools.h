#pragma once

#include "frameset/drawing/paint.h"
#include "frameset/drawing/shapes.h"

namespace kadr {

// The drawing tools of the editor. A tool is the pair of what its points cover and what is done
// to the covered cells; the grids only collect the points.
enum class Tool { Dot, Line, Rectangle, Box, Fill };

// The cells `tool` covers for a press at `from` and a release at `to` (Fill and Dot use `from`
// only). The frame is needed by Fill, whose region depends on the dots.
DotCells CoveredCells(Tool tool, const Frame& frame, DotCell from, DotCell to);

// Start and end frames keep their dots: drawing on them does nothing.
bool TakesDrawing(const Frame& frame);

// The shape as the frame will have it: sets (or with `clear`, clears) the covered cells, or
// leaves a start or end frame as it is. Returns whether the frame takes drawing at all.
bool DrawShape(Frame& frame, Tool tool, DotCell from, DotCell to, bool clear);

}  // namespace kadr
