#pragma once

#include <QToolButton>

namespace kadr::editor {

// The numbered button under a frame grid. Frames are numbered from 1 on screen. Like a speed
// button it takes no keyboard focus, so pressing it leaves the focus where it was.
class FrameButton : public QToolButton {
    Q_OBJECT

  public:
    FrameButton(int frameIndex, QWidget* parent);

    int FrameIndex() const { return frameIndex_; }
    void SetFrameIndex(int frameIndex);

  private:
    int frameIndex_ = 0;
};

}  // namespace kadr::editor
