#include "editor/strip/frame_button.h"

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

}  // namespace kadr::editor
