#pragma once

#include <vector>

#include <QObject>
#include <QPoint>

#include "frameset/document.h"

class QMenu;
class QScrollBar;
class QWidget;

namespace kadr::editor {

class FrameButton;
class FrameGrid;
class StripDrag;

// The row of frame grids with their numbered buttons in the strip panel, and the scroll bar under
// it. Only as many frames as fit the panel's width get a slot; the scroll bar's position is the
// frame shown in slot 0. The strip reads and changes the document's current frame and selection;
// the frames themselves change only through the dot toggle and the drawing tools (a drag of frames
// is handed on as DropRequested). It follows every change of the document as the change's Redraw
// says, and shows the selection.
class FrameStrip : public QObject {
    Q_OBJECT

  public:
    FrameStrip(Document& document, QWidget* panel, QScrollBar* scrollBar, QMenu* frameMenu);

    // Discards every slot and makes them anew for the panel's width and the given cell size,
    // which later rebuilds keep.
    void RebuildFrameStrip(int cellSize);
    // Paints every grid again from the frame set, without rebuilding.
    void RefreshGrids();
    void ClearRebuildGuard() { rebuilding_ = false; }

    int FirstVisibleFrame() const;
    int CellSize() const { return cellSize_; }
    int FrameCount() const { return document_.Set().FrameCount(); }
    StripDrag& Drag() { return *drag_; }
    // Scrolls so that the current frame is shown and puts its button down.
    void ShowCurrentFrame();
    // A rebuild after frames were inserted that shows them from the current one on, where a
    // plain rebuild would lower it to the last frame the old view showed.
    void RebuildShowingCurrent();

    // The tool a left press in a grid uses, and the previous-frame view; both for every grid.
    void SetTool(Tool tool);
    Tool CurrentTool() const { return tool_; }
    void SetOnionSkin(bool on);
    bool OnionSkin() const { return onionSkin_; }
    int SlotCount() const { return static_cast<int>(grids_.size()); }
    FrameGrid* Grid(int slot) const { return grids_[static_cast<std::size_t>(slot)]; }
    FrameButton* Button(int slot) const { return buttons_[static_cast<std::size_t>(slot)]; }

  signals:
    // Status panel 0 after a rebuild: "Кадров = " and the frame count.
    void FrameCountChanged(const QString& text);
    // A dot of some frame changed: no undo step, but the document differs from its file.
    void DotToggled();
    // The selected frames were dragged to stand before frame `before`; with `copy` copies of them.
    void DropRequested(int before, bool copy);

  private:
    void Follow(const DocumentChange& change);
    void ScrollBar1Change(int position);
    void RadioButton1Click(FrameButton& button, Qt::KeyboardModifiers modifiers);
    void StartDrag(FrameButton& button);
    // Buttons and grids show the selection; only what changes is repainted.
    void ShowSelection();
    void ShowSelection(int slot);
    void DrawGrid1SelectCell(FrameGrid& grid, int column, int gridRow);
    void DrawGrid1MouseDown(FrameGrid& grid, Qt::MouseButton button);
    void DrawGrid1Shape(FrameGrid& grid, QPoint from, QPoint to, bool clear);
    void DestroySlots();
    void MakeSlot(int slot, int cellSize);
    int FocusedSlot() const;

    Document& document_;
    QWidget* panel_;
    QScrollBar* scrollBar_;
    QMenu* frameMenu_;
    StripDrag* drag_;
    std::vector<FrameGrid*> grids_;
    std::vector<FrameButton*> buttons_;
    bool rebuilding_ = false;
    // Scrolling moves the current frame along with the view, except while ShowCurrentFrame puts
    // the current frame into view.
    bool carryCurrent_ = true;
    int cellSize_ = 10;
    Tool tool_ = Tool::Dot;
    bool onionSkin_ = false;
};

}  // namespace kadr::editor
