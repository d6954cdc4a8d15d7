#include "editor/window/gap_label.h"

#include <algorithm>

#include <QLabel>

namespace kadr::editor {

GapLabel::GapLabel(const QString& before, int blanks, const QString& after, QWidget* control,
                   QWidget* parent)
    : QWidget(parent),
      label_(new QLabel(before + QString(blanks, QLatin1Char(' ')) + after, this)),
      control_(control),
      before_(before),
      gap_(blanks, QLatin1Char(' ')) {
    control_->setParent(this);
    control_->raise();
}

QSize GapLabel::sizeHint() const {
    const QSize text = label_->sizeHint();
    return {text.width(), std::max(text.height(), control_->sizeHint().height())};
}

void GapLabel::resizeEvent(QResizeEvent* /*event*/) {
    const QSize text = label_->sizeHint();
    label_->setGeometry(0, (height() - text.height()) / 2, text.width(), text.height());
    const QFontMetrics metrics = label_->fontMetrics();
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    // The control covers the blanks, with one blank of air on either side.
    const int left = metrics.horizontalAdvance(before_) + space;
    const int width = metrics.horizontalAdvance(gap_) - 2 * space;
    const int boxHeight = control_->sizeHint().height();
    control_->setGeometry(left, (height() - boxHeight) / 2, width, boxHeight);
}

}  // namespace kadr::editor
