#include "editor/commands/icon_drawings.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace kadr::editor::image_list {
namespace {

// One small palette for every picture.
const QColor kInk{38, 50, 64};
const QColor kPaper{255, 255, 255};
const QColor kPaperShade{214, 222, 232};
const QColor kBlue{36, 104, 196};
const QColor kGreen{34, 146, 70};
const QColor kRed{206, 48, 40};
const QColor kFolder{240, 192, 82};
const QColor kFolderBack{206, 150, 52};
const QColor kFloppy{60, 102, 172};
const QColor kShutter{196, 206, 222};
const QColor kBoard{176, 126, 68};
const QColor kDot{150, 158, 168};

QPen Outline(const QColor& colour = kInk, qreal width = 1.0) {
    return QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

void Shape(QPainter& p, const QPainterPath& path, const QColor& fill, const QPen& pen = Outline()) {
    p.fillPath(path, fill);
    p.strokePath(path, pen);
}

void Box(QPainter& p, const QRectF& rect, const QColor& fill) {
    QPainterPath path;
    path.addRect(rect);
    Shape(p, path, fill);
}

void Polygon(QPainter& p, const QPolygonF& points, const QColor& fill, qreal outline = 1.0) {
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    Shape(p, path, fill, Outline(kInk, outline));
}

void TextLines(QPainter& p, qreal left, qreal right, qreal top, int count) {
    p.setPen(Outline(kPaperShade.darker(125)));
    for (int i = 0; i < count; ++i) {
        p.drawLine(QPointF(left, top + 2 * i), QPointF(right, top + 2 * i));
    }
}

// A frame of the display: a white box with a few dots of a picture.
void FrameBox(QPainter& p, const QRectF& rect) {
    Box(p, rect, kPaper);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    const qreal step = (rect.width() - 1) / 3.0;
    static constexpr bool kPicture[3][3] = {
        {true, false, true}, {false, true, false}, {true, false, true}};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (kPicture[row][column]) {
                const QPointF centre(rect.left() + 0.5 + step * (column + 0.5),
                                     rect.top() + 0.5 + step * (row + 0.5));
                p.drawEllipse(centre, 0.9, 0.9);
            }
        }
    }
}

void Arrow(QPainter& p, QPointF from, QPointF tip, const QColor& colour) {
    // A shaft and a filled head; drawn pointing left and turned by the caller for the others.
    p.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, QPointF(tip.x() + 4, tip.y()));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(
        QPolygonF{tip, QPointF(tip.x() + 5, tip.y() - 4.5), QPointF(tip.x() + 5, tip.y() + 4.5)});
}

void Page(QPainter& p) {
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(9.5, 1.5);
    page.lineTo(12.5, 4.5);
    page.lineTo(12.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    Shape(p, page, kPaper);
    Polygon(p, {QPointF(9.5, 1.5), QPointF(9.5, 4.5), QPointF(12.5, 4.5)}, kPaperShade);
}

void Folder(QPainter& p) {
    Polygon(p,
            {QPointF(1.5, 13.5), QPointF(1.5, 3.5), QPointF(5.5, 3.5), QPointF(7, 5),
             QPointF(12.5, 5), QPointF(12.5, 7.5)},
            kFolderBack);
    Polygon(p, {QPointF(1.5, 13.5), QPointF(4, 7.5), QPointF(15, 7.5), QPointF(12.5, 13.5)},
            kFolder);
}

void Floppy(QPainter& p) {
    QPainterPath body;
    body.moveTo(1.5, 1.5);
    body.lineTo(12.5, 1.5);
    body.lineTo(14.5, 3.5);
    body.lineTo(14.5, 14.5);
    body.lineTo(1.5, 14.5);
    body.closeSubpath();
    Shape(p, body, kFloppy);
    Box(p, QRectF(4.5, 1.5, 7, 4), kShutter);
    p.fillRect(QRectF(8.5, 2.5, 2, 2), kInk);
    Box(p, QRectF(3.5, 8.5, 9, 6), kPaper);
    TextLines(p, 5, 11, 10.5, 2);
}

void Pencil(QPainter& p) {
    Polygon(p, {QPointF(13, 6.5), QPointF(15.5, 9), QPointF(10, 14.5), QPointF(7.5, 12)},
            QColor(242, 164, 52), 0.8);
    Polygon(p, {QPointF(7.5, 12), QPointF(10, 14.5), QPointF(6.5, 15.5)}, QColor(246, 222, 184),
            0.8);
}

void Door(QPainter& p) {
    Box(p, QRectF(1.5, 1.5, 8, 13), kPaperShade);
    Polygon(p, {QPointF(1.5, 1.5), QPointF(6.5, 3), QPointF(6.5, 15.5), QPointF(1.5, 14.5)},
            kBoard);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(5.2, 9), 0.7, 0.7);
    p.save();
    p.translate(16, 0);
    p.scale(-1, 1);  // the arrow leaves to the right
    Arrow(p, QPointF(8.5, 8), QPointF(0.5, 8), kBlue);
    p.restore();
}

void Copy(QPainter& p) {
    Box(p, QRectF(1.5, 1.5, 8, 10), kPaper);
    TextLines(p, 3, 8, 4.5, 2);
    Box(p, QRectF(6.5, 4.5, 8, 10), kPaper);
    TextLines(p, 8, 13, 7.5, 3);
}

void Paste(QPainter& p) {
    Box(p, QRectF(2.5, 2.5, 10, 12), kBoard);
    Box(p, QRectF(5.5, 1.5, 4, 2.5), kShutter);
    Box(p, QRectF(7.5, 6.5, 7, 8), kPaper);
    TextLines(p, 9, 13, 8.5, 3);
}

void Plus(QPainter& p, QPointF centre, const QColor& colour) {
    p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(centre.x() - 3.5, centre.y()), QPointF(centre.x() + 3.5, centre.y()));
    p.drawLine(QPointF(centre.x(), centre.y() - 3.5), QPointF(centre.x(), centre.y() + 3.5));
}

void Cross(QPainter& p, QPointF centre, const QColor& colour) {
    p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(-3, -3), centre + QPointF(3, 3));
    p.drawLine(centre + QPointF(3, -3), centre + QPointF(-3, 3));
}

void Eraser(QPainter& p) {
    FrameBox(p, QRectF(1.5, 1.5, 10, 10));
    Polygon(p, {QPointF(9, 10), QPointF(11.5, 7.5), QPointF(14.5, 10.5), QPointF(12, 13)},
            QColor(236, 120, 150));
    Polygon(p, {QPointF(6.5, 12.5), QPointF(9, 10), QPointF(12, 13), QPointF(9.5, 15.5)}, kPaper);
}

void Spread(QPainter& p) {
    QPainterPath blank;
    blank.addRect(QRectF(5.5, 3.5, 5, 9));
    Shape(p, blank, kPaper, Outline(kGreen));
    Arrow(p, QPointF(4.5, 8), QPointF(0.5, 8), kBlue);
    p.save();
    p.translate(16, 0);
    p.scale(-1, 1);
    Arrow(p, QPointF(4.5, 8), QPointF(0.5, 8), kBlue);
    p.restore();
}

// The picture of a frame moved one way: its dots, and an arrow across them.
void Shift(QPainter& p, qreal degrees) {
    p.setPen(Qt::NoPen);
    p.setBrush(kDot);
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 5; ++column) {
            p.drawEllipse(QPointF(2 + 3 * column, 2 + 3 * row), 0.75, 0.75);
        }
    }
    p.save();
    p.translate(8, 8);
    p.rotate(degrees);
    p.translate(-8, -8);
    Arrow(p, QPointF(14, 8), QPointF(1.5, 8), kBlue);
    p.restore();
}

void Turn(QPainter& p, bool forward) {
    p.save();
    if (forward) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath curve;
    curve.moveTo(13, 13);
    curve.cubicTo(15, 6, 9, 2.5, 4.5, 6.5);
    p.setPen(QPen(kBlue, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF{QPointF(1, 10.5), QPointF(1.5, 3.5), QPointF(8, 9)});
    p.restore();
}

}  // namespace

void DrawIcon(QPainter& p, int index) {
    switch (index) {
        case 0:  // new
            Page(p);
            break;
        case 1:  // open
            Folder(p);
            break;
        case 2:  // save
            Floppy(p);
            break;
        case 3:  // copy
            Copy(p);
            break;
        case 4:  // paste
            Paste(p);
            break;
        case 5:  // append a copy of the frame
            FrameBox(p, QRectF(1.5, 1.5, 10, 10));
            Plus(p, QPointF(11.5, 11.5), kGreen);
            break;
        case 6:  // delete the frame
            FrameBox(p, QRectF(1.5, 1.5, 10, 10));
            Cross(p, QPointF(11.5, 11.5), kRed);
            break;
        case 7:  // save as
            p.save();
            p.scale(0.8, 0.8);
            Floppy(p);
            p.restore();
            Pencil(p);
            break;
        case 8:  // exit
            Door(p);
            break;
        case 9:  // clear
            Eraser(p);
            break;
        case 10:  // make room for a blank frame
            Spread(p);
            break;
        case 11:
            Shift(p, 0);
            break;
        case 12:
            Shift(p, 180);
            break;
        case 13:
            Shift(p, 90);
            break;
        case 14:
            Shift(p, 270);
            break;
        case 15:
            Turn(p, false);
            break;
        case 16:
            Turn(p, true);
            break;
        default:
            break;
    }
}

}  // namespace kadr::editor::image_list
