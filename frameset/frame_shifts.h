#pragma once

#include "frameset/frame_set.h"

namespace kadr {

// Shifts move the picture by one cell. They touch the 14 dot rows only, so a frame keeps its
// kind; what is pushed over the edge is lost and the vacated line becomes blank. Vertically the
// dot rows form one column with row 7 directly above row 9.
void MoveToLeft(Frame& frame);
void MoveToRight(Frame& frame);
void MoveToUp(Frame& frame);
void MoveToDown(Frame& frame);

}  // namespace kadr
