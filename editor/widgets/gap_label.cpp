#include "editor/widgets/gap_label.h"

#include <algorithm>

#include <QEvent>
#include <QLabel>

namespace kadr::editor {
namespace {

// A bound for a font whose blanks have no width at all.
constexpr int kMostBlanks = 400;

}  // namespace

GapLabel::GapLabel(const QString& before, int blanks, const QString& after, QWidget* control,
                   QWidget* parent)
    : QWidget(parent),
      label_(new QLabel(this)),
      control_(control),
      before_(before),
      after_(after),
      blanks_(blanks) {
    control_->setParent(this);
    control_->raise();
    FitText();
}

int GapLabel::Blanks() const {
    const QFontMetrics metrics = label_->fontMetrics();
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    // The blanks are the phrase's own spacing, but the control must still show its number: a
    // font with narrow blanks or a style with wide boxes (Windows) gets as many more as it needs,
    // with the blank of air on either side kept. Measured as the control is placed, since a run
    // of blanks need not be a whole multiple of one.
    const int needed = control_->minimumSizeHint().width();
    int blanks = blanks_;
    while (metrics.horizontalAdvance(QString(blanks, QLatin1Char(' '))) - 2 * space < needed &&
           blanks < kMostBlanks) {
        ++blanks;
    }
    return blanks;
}

void GapLabel::FitText() {
    const int blanks = Blanks();
    gap_ = QString(blanks, QLatin1Char(' '));
    const QString text = before_ + gap_ + after_;
    if (label_->text() != text) {
        label_->setText(text);
        updateGeometry();
    }
}

QSize GapLabel::sizeHint() const {
    const QSize text = label_->sizeHint();
    return {text.width(), std::max(text.height(), control_->sizeHint().height())};
}

void GapLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        FitText();
    }
    QWidget::changeEvent(event);
}

void GapLabel::resizeEvent(QResizeEvent* /*event*/) {
    FitText();
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
