#include "frameset/drawing/tools.h"

#include "frameset/frame_kinds.h"

namespace kadr {

DotCells CoveredCells(Tool tool, const Frame& frame, DotCell from, DotCell to) {
    switch (tool) {
        case Tool::Dot:
            return InPicture(from) ? DotCells{from} : DotCells{};
        case Tool::Line:
            return LineCells(from, to);
        case Tool::Rectangle:
            return RectangleCells(from, to);
        case Tool::Box:
            return BoxCells(from, to);
        case Tool::Fill:
            return RegionCells(frame, from);
    }
    return {};
}

bool TakesDrawing(const Frame& frame) {
    return !IsRunningLineBoundary(frame);
}

bool DrawShape(Frame& frame, Tool tool, DotCell from, DotCell to, bool clear) {
    if (!TakesDrawing(frame)) {
        return false;
    }
    PaintCells(frame, CoveredCells(tool, frame, from, to), clear ? Paint::Clear : Paint::Set);
    return true;
}

}  // namespace kadr
