#pragma once

#include <algorithm>

#include <QColor>
#include <QPainter>
#include <QRect>

#include "frameset/frame_set.h"

namespace kadr::editor {

// How a picture of dots W wide and kDotRows (14) high looks on the screen: squares in a grid or
// round LEDs, and where each dot goes.
struct DotLook {
    QPoint origin;    // top left of the square of dot (0, 0)
    int pitch = 4;    // pixels from one dot to the next
    double size = 4;  // the drawn width of a dot: the square's side or the LED's diameter
    int seam = 0;     // extra pixels between dot rows 6 and 7, where the mark row parts the modules
    bool round = false;
};

// The one painter of dot pictures: the text preview, the import preview and the LED panel draw
// their dots through it, each in its own look.
class DotPainter {
  public:
    explicit DotPainter(const DotLook& look) : look_(look) {}

    const DotLook& Look() const { return look_; }
    // The square a dot occupies (pitch x pitch), its dot drawn in the middle when round.
    QRect Cell(int column, int row) const {
        const int seam = row >= kDotRows / 2 ? look_.seam : 0;
        return {look_.origin.x() + column * look_.pitch,
                look_.origin.y() + row * look_.pitch + seam, look_.pitch, look_.pitch};
    }
    QPointF Centre(int column, int row) const {
        const QRect cell = Cell(column, row);
        return {cell.left() + look_.pitch / 2.0, cell.top() + look_.pitch / 2.0};
    }
    // Columns 0..columns-1 of the picture that meet `dirty`, each dot in the colour `colourOf`
    // gives it (column, dot row); an invalid colour leaves the dot to the background.
    template <typename ColourOf>
    void Paint(QPainter& painter, int columns, const QRect& dirty, ColourOf colourOf) const {
        const int first = std::max(0, (dirty.left() - look_.origin.x()) / look_.pitch);
        const int last = std::min(columns - 1, (dirty.right() - look_.origin.x()) / look_.pitch);
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setRenderHint(QPainter::Antialiasing, look_.round);
        for (int column = first; column <= last; ++column) {
            for (int row = 0; row < kDotRows; ++row) {
                const QColor colour = colourOf(column, row);
                if (colour.isValid()) {
                    PaintDot(painter, column, row, colour);
                }
            }
        }
        painter.restore();
    }

  private:
    void PaintDot(QPainter& painter, int column, int row, const QColor& colour) const;

    DotLook look_;
};

}  // namespace kadr::editor
