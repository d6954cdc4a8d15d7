#include "editor/strip/cell_painter.h"

#include <QPainter>

#include "editor/strip/strip_geometry.h"
#include "frameset/frame_kinds.h"

namespace kadr::editor {
namespace {

bool IsModuleStartColumn(int column) {
    return column == 7 || column == 14 || column == 21;
}

}  // namespace

void DrawGrid1DrawCell(QPainter& painter, const Frame& frame, int column, int gridRow,
                       const QRect& cell) {
    using namespace cell_colours;
    if (IsModuleStartColumn(column)) {
        painter.fillRect(QRect(cell.left(), cell.top(), 1, cell.height()), kModuleStripe);
    }
    if (gridRow == 8) {
        painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), 1), kModuleStripe);
    }
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

void DrawOnionSkinCell(QPainter& painter, const QRect& cell) {
    painter.fillRect(cell, cell_colours::kOnionSkin);
}

}  // namespace kadr::editor
