#pragma once

#include "frameset/frame_set.h"

namespace kadr {

// Whole-picture transforms. Like the shifts they act on the 14 dot rows only, so the frame keeps
// its kind, and each one done twice gives the frame back.
void InvertDots(Frame& frame);      // every dot flips; a cell that is not 0 counts as clear
void FlipHorizontal(Frame& frame);  // column c <-> 27 - c
void FlipVertical(Frame& frame);    // dot rows in reverse: row 1 <-> 15, ..., row 7 <-> 9

}  // namespace kadr
