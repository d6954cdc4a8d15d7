#include "editor/window/speed_box.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "frameset/frame_set.h"

namespace kadr::editor {
namespace {

bool IsEnter(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

}  // namespace

SpeedBox::SpeedBox(QWidget* parent) : QSpinBox(parent) {
    setRange(kMinSpeed, kMaxSpeed);
    setValue(kMinSpeed);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(false);
    connect(lineEdit(), &QLineEdit::textEdited, this, &SpeedBox::TextTyped);
}

int SpeedBox::TypedValue() const {
    bool number = false;
    const int typed = lineEdit()->text().trimmed().toInt(&number);
    return number ? typed : minimum();
}

QValidator::State SpeedBox::validate(QString& input, int& /*pos*/) const {
    const QString text = input.trimmed();
    if (text.isEmpty()) {
        return QValidator::Intermediate;
    }
    bool number = false;
    const int typed = text.toInt(&number);
    if (!number) {
        return QValidator::Invalid;
    }
    return typed >= minimum() && typed <= maximum() ? QValidator::Acceptable
                                                    : QValidator::Intermediate;
}

void SpeedBox::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(*event)) {
        seSpeedAnimKeyDown(*event);
        return;
    }
    QSpinBox::keyPressEvent(event);
}

void SpeedBox::seSpeedAnimKeyDown(QKeyEvent& event) {
    // Only a value above the maximum is corrected here; one below the minimum stays in the box
    // until the user leaves it.
    const QString text = lineEdit()->text().trimmed();
    if (!text.isEmpty() && TypedValue() > maximum()) {
        setValue(maximum());
        lineEdit()->setText(QString::number(maximum()));
    }
    event.accept();
}

void SpeedBox::focusOutEvent(QFocusEvent* event) {
    Commit();
    QSpinBox::focusOutEvent(event);
}

void SpeedBox::Commit() {
    const int committed = ClampSpeed(TypedValue());
    setValue(committed);
    lineEdit()->setText(QString::number(committed));
}

}  // namespace kadr::editor
