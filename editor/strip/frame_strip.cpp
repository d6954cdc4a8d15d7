#include "editor/strip/frame_strip.h"

#include <algorithm>

#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWidget>

#include "editor/app/document_events.h"
#include "editor/strip/frame_button.h"
#include "editor/strip/frame_grid.h"
#include "editor/strip/strip_drag.h"
#include "editor/strip/strip_geometry.h"

namespace kadr::editor {

FrameStrip::FrameStrip(Document& document, QWidget* panel, QScrollBar* scrollBar, QMenu* frameMenu)
    : QObject(panel),
      document_(document),
      panel_(panel),
      scrollBar_(scrollBar),
      frameMenu_(frameMenu),
      drag_(new StripDrag(*this, panel, scrollBar)) {
    connect(scrollBar_, &QScrollBar::valueChanged, this, &FrameStrip::ScrollBar1Change);
    connect(drag_, &StripDrag::Dropped, this, &FrameStrip::DropRequested);
    connect(new DocumentEvents(document_, this), &DocumentEvents::Changed, this,
            &FrameStrip::Follow);
}

void FrameStrip::Follow(const DocumentChange& change) {
    switch (change.redraw) {
        case Redraw::None:
            break;
        case Redraw::Repaint:
            RefreshGrids();
            break;
        case Redraw::RepaintShowingCurrent:
            ShowCurrentFrame();
            break;
        case Redraw::Rebuild:
            RebuildFrameStrip(cellSize_);
            break;
        case Redraw::RebuildToEnd:
            RebuildFrameStrip(cellSize_);
            scrollBar_->setValue(scrollBar_->maximum());
            break;
        case Redraw::RebuildShowingCurrent:
            RebuildShowingCurrent();
            break;
    }
    if (change.Has(aspect::kSelection | aspect::kCurrentFrame)) {
        ShowSelection();
    }
}

int FrameStrip::FirstVisibleFrame() const {
    return scrollBar_->value();
}

void FrameStrip::RebuildFrameStrip(int cellSize) {
    if (rebuilding_) {
        return;
    }
    rebuilding_ = true;
    cellSize_ = cellSize;
    const int focusedSlot = FocusedSlot();
    DestroySlots();

    FrameSet& set = document_.Set();
    const SlotPlan plan = PlanSlots(set.LastFrame, panel_->width(), cellSize);
    // The slots are gone already, so a position change that follows here carries nothing along.
    if (plan.scrollEnabled) {
        scrollBar_->setMaximum(plan.scrollMaximum);
        scrollBar_->setEnabled(true);
    } else {
        scrollBar_->setMaximum(0);
        scrollBar_->setValue(0);
        scrollBar_->setEnabled(false);
    }
    document_.LowerCurFrameTo(FirstVisibleFrame() + plan.lastSlot);

    for (int slot = 0; slot <= plan.lastSlot; ++slot) {
        MakeSlot(slot, cellSize);
        panel_->setFixedHeight(StripPanelHeight(cellSize));
    }
    // Keyboard users keep working in the strip: the grid in the same place takes the focus back.
    if (focusedSlot >= 0 && !grids_.empty()) {
        grids_[std::min<std::size_t>(static_cast<std::size_t>(focusedSlot), grids_.size() - 1)]
            ->setFocus(Qt::OtherFocusReason);
    }
    emit FrameCountChanged(QStringLiteral("Кадров = ") + QString::number(set.FrameCount()));
    rebuilding_ = false;
}

int FrameStrip::FocusedSlot() const {
    const auto found = std::find(grids_.begin(), grids_.end(), panel_->focusWidget());
    if (found == grids_.end() || !(*found)->hasFocus()) {
        return -1;
    }
    return static_cast<int>(found - grids_.begin());
}

void FrameStrip::DestroySlots() {
    for (FrameGrid* grid : grids_) {
        delete grid;
    }
    for (FrameButton* button : buttons_) {
        delete button;
    }
    grids_.clear();
    buttons_.clear();
}

void FrameStrip::MakeSlot(int slot, int cellSize) {
    const int frame = FirstVisibleFrame() + slot;
    const int left = GridLeft(slot, cellSize);

    auto* grid = new FrameGrid(document_.Set(), frame, cellSize, panel_);
    grid->setObjectName(QStringLiteral("dg") + QString::number(slot));
    grid->move(left, kGridTop);
    grid->SetContextMenu(frameMenu_);
    grid->SetTool(tool_);
    grid->SetOnionSkin(onionSkin_);
    connect(grid, &FrameGrid::ShapeDrawn, this, [this, grid](QPoint from, QPoint to, bool clear) {
        DrawGrid1Shape(*grid, from, to, clear);
    });
    connect(grid, &FrameGrid::SelectCell, this,
            [this, grid](int column, int row) { DrawGrid1SelectCell(*grid, column, row); });
    connect(grid, &FrameGrid::MouseDown, this,
            [this, grid](Qt::MouseButton pressed) { DrawGrid1MouseDown(*grid, pressed); });
    grid->show();
    grids_.push_back(grid);

    auto* button = new FrameButton(frame, panel_);
    button->setObjectName(QStringLiteral("sb") + QString::number(slot));
    button->setGeometry(left, FrameButtonTop(cellSize), SlotStride(cellSize), kFrameButtonHeight);
    connect(button, &FrameButton::Picked, this, [this, button](Qt::KeyboardModifiers modifiers) {
        RadioButton1Click(*button, modifiers);
    });
    connect(button, &FrameButton::DragStarted, this, [this, button] { StartDrag(*button); });
    button->show();
    buttons_.push_back(button);
    ShowSelection(slot);
}

void FrameStrip::ShowSelection() {
    for (int slot = 0; slot < SlotCount(); ++slot) {
        ShowSelection(slot);
    }
}

void FrameStrip::ShowSelection(int slot) {
    const FrameSelection& selection = document_.Selection();
    const int frame = grids_[static_cast<std::size_t>(slot)]->FrameIndex();
    const bool several = selection.Count() > 1;
    const bool current = frame == document_.Set().CurFrame;
    buttons_[static_cast<std::size_t>(slot)]->SetLook(selection.Contains(frame),
                                                      several && current);
    SelectionLook look = SelectionLook::None;
    if (several && selection.Contains(frame)) {
        look = current ? SelectionLook::CurrentOfSeveral : SelectionLook::Selected;
    }
    grids_[static_cast<std::size_t>(slot)]->SetLook(look);
}

void FrameStrip::RefreshGrids() {
    for (FrameGrid* grid : grids_) {
        grid->update();
    }
}

void FrameStrip::ScrollBar1Change(int position) {
    // The down button keeps its slot, so the current frame moves along with the view: a frame
    // selected alone, never several, nor while frames are dragged past.
    const int current = document_.Set().CurFrame;
    const bool carry = carryCurrent_ && !drag_->Active() && document_.Selection().Count() == 1;
    int carried = -1;
    for (std::size_t slot = 0; slot < grids_.size(); ++slot) {
        if (carry && buttons_[slot]->FrameIndex() == current) {
            carried = position + static_cast<int>(slot);
        }
        const int frame = position + static_cast<int>(slot);
        grids_[slot]->SetFrameIndex(frame);
        buttons_[slot]->SetFrameIndex(frame);
        ShowSelection(static_cast<int>(slot));
        grids_[slot]->repaint();
    }
    if (carried >= 0) {
        document_.SetCurrentFrame(carried);
    }
}

void FrameStrip::RadioButton1Click(FrameButton& button, Qt::KeyboardModifiers modifiers) {
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool control = modifiers & Qt::ControlModifier;
    Pick how = Pick::Only;
    if (shift) {
        how = control ? Pick::AddRun : Pick::Run;
    } else if (control) {
        how = Pick::Toggle;
    }
    document_.SelectFrame(button.FrameIndex(), how);
}

void FrameStrip::StartDrag(FrameButton& button) {
    // A frame dragged from outside the selection is dragged alone.
    if (!document_.Selection().Contains(button.FrameIndex())) {
        document_.SelectFrame(button.FrameIndex(), Pick::Only);
    }
    drag_->Run(&button);
}

void FrameStrip::DrawGrid1SelectCell(FrameGrid& grid, int column, int gridRow) {
    // A dot edit records no undo step and repaints only the cell the grid repaints itself.
    if (document_.ToggleDot(grid.FrameIndex(), column, gridRow)) {
        emit DotToggled();
    }
}

void FrameStrip::DrawGrid1MouseDown(FrameGrid& grid, Qt::MouseButton pressed) {
    // A right press on a selected frame keeps the selection for the kind menu that follows.
    const bool keep =
        pressed == Qt::RightButton && document_.Selection().Contains(grid.FrameIndex());
    document_.SelectFrame(grid.FrameIndex(), keep ? Pick::Add : Pick::Only);
}

void FrameStrip::DrawGrid1Shape(FrameGrid& grid, QPoint from, QPoint to, bool clear) {
    // One undo step; the grids follow the document's notification.
    document_.DrawShape(grid.FrameIndex(), tool_, ShapeDrag::DotOf(from), ShapeDrag::DotOf(to),
                        clear);
}

void FrameStrip::SetTool(Tool tool) {
    tool_ = tool;
    for (FrameGrid* grid : grids_) {
        grid->SetTool(tool);
    }
}

void FrameStrip::SetOnionSkin(bool on) {
    onionSkin_ = on;
    for (FrameGrid* grid : grids_) {
        grid->SetOnionSkin(on);
    }
}

void FrameStrip::ShowCurrentFrame() {
    const int current = document_.Set().CurFrame;
    const int shown = SlotCount();
    if (current >= 0 && shown > 0) {
        // The current frame stays where it is while it is scrolled into view.
        carryCurrent_ = false;
        const int first = FirstVisibleFrame();
        int target = first;
        if (current < first) {
            target = current;
        } else if (current >= first + shown) {
            target = current - shown + 1;
        }
        scrollBar_->setValue(std::clamp(target, 0, scrollBar_->maximum()));
        carryCurrent_ = true;
    }
    RefreshGrids();
}

void FrameStrip::RebuildShowingCurrent() {
    const int current = document_.Set().CurFrame;
    {
        // The rebuild keeps the bar's position where the frames allow it; moving the bar first,
        // quietly, keeps the frame buttons from carrying the current frame along.
        const QSignalBlocker quiet(scrollBar_);
        scrollBar_->setMaximum(std::max(scrollBar_->maximum(), current));
        scrollBar_->setValue(current);
    }
    RebuildFrameStrip(cellSize_);
}

}  // namespace kadr::editor
