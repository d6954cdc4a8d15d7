#include "editor/dots/dot_painter.h"

namespace kadr::editor {

void DotPainter::PaintDot(QPainter& painter, int column, int row, const QColor& colour) const {
    if (look_.round) {
        const double radius = look_.size / 2;
        painter.setBrush(colour);
        painter.drawEllipse(Centre(column, row), radius, radius);
        return;
    }
    const QRect cell = Cell(column, row);
    const int side = static_cast<int>(look_.size);
    painter.fillRect(cell.left(), cell.top(), side, side, colour);
}

}  // namespace kadr::editor
