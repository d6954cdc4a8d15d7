#include "editor/dialogs/text_preview.h"

#include <algorithm>

#include <QPaintEvent>
#include <QPainter>

#include "frameset/frame_set.h"

namespace kadr::editor {
namespace {

constexpr int kMarkGap = 3;  // pixels between picture rows 6 and 7
constexpr int kMargin = 2;

int RowTop(int row) {
    return kMargin + row * TextPreview::kDot + (row >= 7 ? kMarkGap : 0);
}

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
    return {2 * kMargin + columns * kDot, RowTop(kadr::text::kPictureRows) + kMargin};
}

void TextPreview::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(40, 40, 40));
    const int columns = std::max(picture_.width, kColumns);
    const int first = std::max(0, (event->rect().left() - kMargin) / kDot);
    const int last = std::min(columns - 1, (event->rect().right() - kMargin) / kDot);
    const QColor lit(255, 170, 0);
    const QColor dark(75, 60, 45);
    for (int column = first; column <= last; ++column) {
        const int x = kMargin + column * kDot;
        for (int row = 0; row < kadr::text::kPictureRows; ++row) {
            const bool ink = column < picture_.width && picture_.Ink(column, row);
            painter.fillRect(x, RowTop(row), kDot - 1, kDot - 1, ink ? lit : dark);
        }
        if (column % kColumns == 0 && column > 0) {
            painter.fillRect(x - 1, 0, 1, height(), QColor(120, 200, 255));
        }
    }
}

}  // namespace kadr::editor
