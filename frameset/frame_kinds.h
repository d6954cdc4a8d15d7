#pragma once

#include <optional>

#include "frameset/frame_set.h"

namespace kadr {

// The role of a frame for the display, written as a pattern of marks into both mark rows.
enum FrameKind { fkAnim, fkBegStr, fkStr, fkEndStr };

// Reads the kind from two marks of the upper left module (row 0, columns 5 and 6). A mark
// that is neither 0 nor 1 matches no kind.
std::optional<FrameKind> GetFrameKind(const Frame& frame);

// Start and end frames show a tinted background and refuse dot edits.
bool IsRunningLineBoundary(const Frame& frame);

void SetAnim(Frame& frame);    // all marks 1, picture kept
void SetBegStr(Frame& frame);  // picture cleared, marks 0 only in each module's last column
void SetStr(Frame& frame);     // all marks 0, picture kept
void SetEndStr(Frame& frame);  // picture cleared, marks 1 only in each module's last column

const char* FrameKindName(FrameKind kind);  // "anim", "beg", "str", "end"

}  // namespace kadr
