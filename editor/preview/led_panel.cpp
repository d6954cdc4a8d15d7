#include "editor/preview/led_panel.h"

#include <QPainter>

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

void LedPanel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), ToColor(playback::PanelRgb()));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QColor lit = ToColor(playback::LitRgb(colour_));
    const QColor unlit = ToColor(playback::UnlitRgb(colour_));
    const double size = geometry_.ledSize;
    const double diameter = geometry_.Diameter();
    for (int c = 0; c < playback::kDisplayColumns; ++c) {
        for (int r = 0; r < playback::kDisplayRows; ++r) {
            painter.setBrush(picture_.Lit(c, r) ? lit : unlit);
            const QPointF centre(geometry_.CellX(c) + size / 2, geometry_.CellY(r) + size / 2);
            painter.drawEllipse(centre, diameter / 2, diameter / 2);
        }
    }
}

}  // namespace kadr::editor
