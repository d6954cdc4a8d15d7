#include "editor/dialogs/text_preview.h"

#include <algorithm>

#include <QPaintEvent>
#include <QPainter>

#include "editor/dots/dot_painter.h"
#include "frameset/frame_set.h"

namespace kadr::editor {
namespace {

constexpr int kMarkGap = 3;  // pixels between picture rows 6 and 7
constexpr int kMargin = 2;

// Squares with a one-pixel gap, the mark row's place left dark between the module rows.
const DotPainter kDots({.origin = {kMargin, kMargin},
                        .pitch = TextPreview::kDot,
                        .size = TextPreview::kDot - 1,
                        .seam = kMarkGap});

}  // namespace

TextPreview::TextPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TextPreview"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(sizeHint());
}

void TextPreview::SetPicture(const kadr::text::TextPicture& picture) {
    picture_ = picture;
    setFixedSize(sizeHint());
    update();
}

QSize TextPreview::sizeHint() const {
    // At least one frame wide, so an empty line still shows the display's shape.
    const int columns = std::max(picture_.width, kColumns);
    return {2 * kMargin + columns * kDot, kDots.Cell(0, kDotRows - 1).bottom() + 1 + kMargin};
}

void TextPreview::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(40, 40, 40));
    const int columns = std::max(picture_.width, kColumns);
    const QColor lit(255, 170, 0);
    const QColor dark(75, 60, 45);
    kDots.Paint(painter, columns, event->rect(), [&](int column, int row) {
        return column < picture_.width && picture_.Ink(column, row) ? lit : dark;
    });
    // Where one frame of the running line ends and the next begins.
    const int first = std::max(0, (event->rect().left() - kMargin) / kDot);
    const int last = std::min(columns - 1, (event->rect().right() - kMargin) / kDot);
    for (int column = first; column <= last; ++column) {
        if (column % kColumns == 0 && column > 0) {
            painter.fillRect(kDots.Cell(column, 0).left() - 1, 0, 1, height(),
                             QColor(120, 200, 255));
        }
    }
}

}  // namespace kadr::editor
