#include "editor/widgets/led_panel.h"

#include <QPaintEvent>
#include <QPainter>

#include "editor/dots/dot_painter.h"

namespace kadr::editor {
namespace {

QColor ToColor(playback::Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

}  // namespace

LedPanel::LedPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("LedPanel"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LedPanel::SetPicture(const playback::Picture& picture) {
    if (picture != picture_) {
        picture_ = picture;
        update();
    }
}

void LedPanel::SetLedSize(int pixels) {
    if (pixels != geometry_.ledSize && pixels > 0) {
        geometry_.ledSize = pixels;
        updateGeometry();
        resize(sizeHint());
        update();
    }
}

void LedPanel::SetColour(playback::LedColour colour) {
    if (colour != colour_) {
        colour_ = colour;
        update();
    }
}

QPoint LedPanel::LedCentre(int column, int row) const {
    return {geometry_.CellX(column) + geometry_.ledSize / 2,
            geometry_.CellY(row) + geometry_.ledSize / 2};
}

QSize LedPanel::sizeHint() const {
    return {geometry_.Width(), geometry_.Height()};
}

void LedPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), ToColor(playback::PanelRgb()));
    const QColor lit = ToColor(playback::LitRgb(colour_));
    const QColor unlit = ToColor(playback::UnlitRgb(colour_));
    // One LED of margin around the panel and one between the module rows, as kadr render draws it.
    const int size = geometry_.ledSize;
    const DotPainter leds(
        {.origin = {geometry_.CellX(0), geometry_.CellY(0)},
         .pitch = size,
         .size = geometry_.Diameter(),
         .seam = geometry_.CellY(kDotRows / 2) - geometry_.CellY(0) - kDotRows / 2 * size,
         .round = true});
    leds.Paint(painter, playback::kDisplayColumns, event->rect(),
               [&](int column, int row) { return picture_.Lit(column, row) ? lit : unlit; });
}

}  // namespace kadr::editor
