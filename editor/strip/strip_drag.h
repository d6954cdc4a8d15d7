#pragma once

#include <QByteArray>
#include <QObject>
#include <QPoint>
#include <QTimer>

class QFrame;
class QMimeData;
class QScrollBar;
class QWidget;

namespace kadr::editor {

class FrameStrip;

// Dragging the selected frames along the strip to another place, by the desktop's drag and drop:
// Esc cancels it, Ctrl held at the drop copies instead of moving. While it runs a bar marks the
// gap the frames would go into, and the strip scrolls while the pointer waits near either end.
// The drop itself is handed on (Dropped) once the drag is over.
class StripDrag : public QObject {
    Q_OBJECT

  public:
    StripDrag(FrameStrip& strip, QWidget* panel, QScrollBar* scrollBar);

    // Runs a drag from `source` (a frame button) until it is dropped or cancelled.
    void Run(QWidget* source);
    bool Active() const { return active_; }
    // What a drag of this strip carries: the strip's own mark, so that nothing dragged from
    // elsewhere (another window, another program) is taken for frames.
    QMimeData* MimeData() const;
    static constexpr int kScrollInterval = 150;  // ms between steps while waiting at an edge

  signals:
    // The selected frames go before frame `before` (0..frame count); with `copy` copies of them.
    void Dropped(int before, bool copy);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool Ours(const QMimeData* data) const;
    void ShowMark(QPoint at);
    void HideMark();
    void ScrollStep();
    int Before(QPoint at) const;

    FrameStrip& strip_;
    QWidget* panel_;
    QScrollBar* scrollBar_;
    QFrame* mark_;
    QTimer scroll_;
    int scrollDirection_ = 0;
    QPoint pointer_;
    QByteArray token_;
    bool active_ = false;
};

}  // namespace kadr::editor
