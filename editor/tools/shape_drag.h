#pragma once

#include <QPoint>

#include "frameset/drawing/tools.h"

namespace kadr::editor {

// The points a shape tool collects in one frame grid: where the left button went down, where the
// pointer is now, and whether Shift asks for clearing. The covering and the drawing are the
// frame set's; the grid only shows the preview and hands the finished shape on.
class ShapeDrag {
  public:
    ShapeDrag(Tool tool, QPoint pressed, bool clear)
        : tool_(tool), from_(pressed), to_(pressed), clear_(clear) {}

    Tool Kind() const { return tool_; }
    QPoint From() const { return from_; }  // grid column, grid row
    QPoint To() const { return to_; }
    bool Clears() const { return clear_; }
    // Whether anything the preview shows has changed.
    bool MoveTo(QPoint cell, bool clear) {
        const bool changed = cell != to_ || clear != clear_;
        to_ = cell;
        clear_ = clear;
        return changed;
    }
    // The frame as it will be once the button is released.
    Frame Preview(const Frame& frame) const {
        Frame preview = frame;
        DrawShape(preview, tool_, DotOf(from_), DotOf(to_), clear_);
        return preview;
    }
    // Grid row 0 shows the marks: dot row -1, outside the picture, so shapes are cut there.
    static DotCell DotOf(QPoint gridCell) { return DotCell{gridCell.x(), gridCell.y() - 1}; }

  private:
    Tool tool_;
    QPoint from_;
    QPoint to_;
    bool clear_;
};

}  // namespace kadr::editor
