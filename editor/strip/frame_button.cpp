#include "editor/strip/frame_button.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>

namespace kadr::editor {

FrameButton::FrameButton(int frameIndex, QWidget* parent) : QToolButton(parent) {
    setCheckable(true);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    SetFrameIndex(frameIndex);
}

void FrameButton::SetFrameIndex(int frameIndex) {
    frameIndex_ = frameIndex;
    setText(QString::number(frameIndex + 1));
}

void FrameButton::SetLook(bool selected, bool currentOfSeveral) {
    setChecked(selected);
    if (font().bold() != currentOfSeveral) {
        QFont bold = font();
        bold.setBold(currentOfSeveral);
        setFont(bold);
    }
}

void FrameButton::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    pressedAt_ = event->position().toPoint();
    QToolButton::mousePressEvent(event);
}

void FrameButton::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - pressedAt_).manhattanLength() >=
            QApplication::startDragDistance()) {
        // A drag is no click: the button comes up and its release clicks nothing.
        pressed_ = false;
        setDown(false);
        const QPointer<FrameButton> alive(this);
        emit DragStarted();
        if (alive) {
            alive->update();
        }
        return;
    }
    QToolButton::mouseMoveEvent(event);
}

void FrameButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && isDown() &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    const QPointer<FrameButton> alive(this);
    QToolButton::mouseReleaseEvent(event);
    if (click && alive) {
        emit Picked(event->modifiers());
    }
}

}  // namespace kadr::editor
