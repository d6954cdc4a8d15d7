#pragma once

#include <QPoint>
#include <QToolButton>

namespace kadr::editor {

// The numbered button under a frame grid. Frames are numbered from 1 on screen. Like a speed
// button it takes no keyboard focus, so pressing it leaves the focus where it was. It looks
// pressed while its frame is selected, its number bold while its frame is the current one of
// several; a click does not toggle it: the strip sets both from the document.
class FrameButton : public QToolButton {
    Q_OBJECT

  public:
    FrameButton(int frameIndex, QWidget* parent);

    int FrameIndex() const { return frameIndex_; }
    void SetFrameIndex(int frameIndex);
    void SetLook(bool selected, bool currentOfSeveral);

  signals:
    // A click, with the keys held at its release (Shift, Ctrl).
    void Picked(Qt::KeyboardModifiers modifiers);
    // The left button went down here and the pointer has moved far enough to drag the frames.
    // The whole drag runs while the signal is handled; the button may be gone afterwards.
    void DragStarted();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void nextCheckState() override {}

  private:
    int frameIndex_ = 0;
    QPoint pressedAt_;
    bool pressed_ = false;
};

}  // namespace kadr::editor
