#pragma once

#include <optional>

#include <QPoint>
#include <QWidget>

#include "editor/tools/shape_drag.h"
#include "frameset/frame_set.h"

class QMenu;

namespace kadr::editor {

// How a grid shows its frame's place in a selection of several frames; with one frame selected
// every grid looks as ever (the current frame is told by its button).
enum class SelectionLook {
    None,
    Selected,          // a coloured edge
    CurrentOfSeveral,  // a darker coloured edge
};

// One frame of the strip as 28 x 15 square cells with 1-pixel grid lines and a 2-pixel sunken
// border. Like a desktop draw grid it keeps a current cell, which the left button, a left drag
// and the navigation keys move. The owner decides what a move means: SelectCell is emitted just
// before a cell becomes current, so the owner can change the frame and the grid then repaints the
// old and the new current cell from the frame set.
class FrameGrid : public QWidget {
    Q_OBJECT

  public:
    FrameGrid(const FrameSet& set, int frameIndex, int cellSize, QWidget* parent);

    int FrameIndex() const { return frameIndex_; }
    // Shows another frame in this grid; the current cell stays where it is.
    void SetFrameIndex(int frameIndex);
    int CellSize() const { return cellSize_; }
    QPoint CurrentCell() const { return current_; }  // x = grid column, y = grid row
    QRect CellRect(QPoint cell) const;
    // The cell under a point of the grid; a grid line counts to the cell before it.
    std::optional<QPoint> CellAt(QPoint position) const;
    void SetContextMenu(QMenu* menu) { contextMenu_ = menu; }
    // With a tool other than Dot a left press starts a shape (or fills at once) instead of
    // toggling dots.
    void SetTool(Tool tool) { tool_ = tool; }
    // Shows the set dots of the previous frame that are clear in this one.
    void SetOnionSkin(bool on);
    bool Drawing() const { return drag_.has_value(); }
    // Repaints the grid only when the look changes.
    void SetLook(SelectionLook look);
    SelectionLook Look() const { return look_; }

    QSize sizeHint() const override;

  signals:
    void SelectCell(int column, int gridRow);
    // Every press, whatever the button, after the grid has handled it.
    void MouseDown(Qt::MouseButton button);
    // A finished shape or a fill: the press and the release cell (grid column, grid row).
    void ShapeDrawn(QPoint from, QPoint to, bool clear);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void MoveCurrent(QPoint cell);
    std::optional<QPoint> NavigationTarget(const QKeyEvent& event) const;
    void PaintBorder(QPainter& painter) const;
    void PaintFocusRect(QPainter& painter) const;
    bool PressTool(QMouseEvent& event);
    QPoint ClampedCellAt(QPoint position) const;
    // The frame whose dots the previous-frame view shows behind `frame`, null for none.
    const Frame* OnionSkinSource(const Frame& frame) const;

    const FrameSet& set_;
    int frameIndex_;
    int cellSize_;
    QPoint current_{0, 0};
    bool selecting_ = false;  // the left button went down in this grid and is still down
    QMenu* contextMenu_ = nullptr;
    Tool tool_ = Tool::Dot;
    std::optional<ShapeDrag> drag_;
    bool onionSkin_ = false;
    SelectionLook look_ = SelectionLook::None;
};

}  // namespace kadr::editor
