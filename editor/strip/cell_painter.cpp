#include "editor/strip/cell_painter.h"

#include <QPainter>

#include "editor/strip/strip_geometry.h"
#include "frameset/drawing/dot_cells.h"
#include "frameset/frame_kinds.h"

namespace kadr::editor {
namespace {

bool IsModuleStartColumn(int column) {
    return column == 7 || column == 14 || column == 21;
}

}  // namespace

void DrawModuleStripes(QPainter& painter, int column, int gridRow, const QRect& cell) {
    using namespace cell_colours;
    if (IsModuleStartColumn(column)) {
        painter.fillRect(QRect(cell.left(), cell.top(), 1, cell.height()), kModuleStripe);
    }
    if (gridRow == 8) {
        painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), 1), kModuleStripe);
    }
}

void DrawGrid1DrawCell(QPainter& painter, const Frame& frame, int column, int gridRow,
                       const QRect& cell) {
    using namespace cell_colours;
    DrawModuleStripes(painter, column, gridRow, cell);
    const std::uint8_t value = frame[CellIndex(column, FrameRowOfGridRow(gridRow))];
    if (value == kDotSet) {
        painter.fillRect(cell, gridRow == 0 ? kMarkSet : kSetDot);
        return;
    }
    if (gridRow == 0) {
        painter.fillRect(cell, kMarkClear);
        return;
    }
    const auto kind = GetFrameKind(frame);
    if (kind == fkBegStr) {
        painter.fillRect(cell, kStartTint);
    } else if (kind == fkEndStr) {
        painter.fillRect(cell, kEndTint);
    }
}

QColor DotCellColour(const Frame& frame, const Frame* previous, int column, int row,
                     const QColor& background) {
    using namespace cell_colours;
    const int index = DotCellIndex({column, row});
    if (frame[index] == kDotSet) {
        return kSetDot;
    }
    if (previous != nullptr && (*previous)[index] == kDotSet) {
        return kOnionSkin;
    }
    const auto kind = GetFrameKind(frame);
    if (kind == fkBegStr) {
        return kStartTint;
    }
    if (kind == fkEndStr) {
        return kEndTint;
    }
    return background;
}

}  // namespace kadr::editor
