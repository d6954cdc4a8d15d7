#include "editor/tools/tool_icons.h"

#include <QPainter>
#include <QPixmap>

namespace kadr::editor {

QIcon ToolIcon(Tool tool) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.scale(scale, scale);
        const QColor ink(0, 0, 0);
        const QColor paint(40, 90, 200);
        switch (tool) {
            case Tool::Dot:
                painter.fillRect(6, 6, 4, 4, ink);
                break;
            case Tool::Line:
                for (int i = 0; i < 12; ++i) {
                    painter.fillRect(2 + i, 13 - i, 1, 1, ink);
                    painter.fillRect(3 + i, 13 - i, 1, 1, ink);
                }
                break;
            case Tool::Rectangle:
                painter.setPen(QPen(ink, 1));
                painter.drawRect(QRectF(2.5, 3.5, 11, 9));
                painter.drawRect(QRectF(3.5, 4.5, 9, 7));
                break;
            case Tool::Box:
                painter.fillRect(2, 3, 12, 10, ink);
                break;
            case Tool::Fill:
                // A tipped bucket pouring onto a filled patch.
                painter.setPen(QPen(ink, 1));
                painter.drawPolygon(QPolygonF({QPointF(3.5, 6.5), QPointF(8.5, 1.5),
                                               QPointF(13.5, 6.5), QPointF(8.5, 11.5)}));
                painter.fillRect(1, 13, 14, 2, paint);
                painter.fillRect(13, 8, 2, 5, paint);
                break;
        }
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace kadr::editor
