#include "editor/strip/frame_strip.h"

#include <algorithm>

#include <QButtonGroup>
#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWidget>

#include "editor/app/document_events.h"
#include "editor/strip/frame_button.h"
#include "editor/strip/frame_grid.h"
#include "editor/strip/strip_geometry.h"

namespace kadr::editor {

FrameStrip::FrameStrip(Document& document, QWidget* panel, QScrollBar* scrollBar, QMenu* frameMenu)
    : QObject(panel),
      document_(document),
      panel_(panel),
      scrollBar_(scrollBar),
      frameMenu_(frameMenu),
      buttonGroup_(new QButtonGroup(this)) {
    buttonGroup_->setExclusive(true);
    connect(scrollBar_, &QScrollBar::valueChanged, this, &FrameStrip::ScrollBar1Change);
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
    connect(grid, &FrameGrid::MouseDown, this, [this, grid] { DrawGrid1MouseDown(*grid); });
    grid->show();
    grids_.push_back(grid);

    auto* button = new FrameButton(frame, panel_);
    button->setObjectName(QStringLiteral("sb") + QString::number(slot));
    button->setGeometry(left, FrameButtonTop(cellSize), SlotStride(cellSize), kFrameButtonHeight);
    button->setChecked(frame == document_.Set().CurFrame);
    buttonGroup_->addButton(button);
    connect(button, &FrameButton::clicked, this, [this, button] { RadioButton1Click(*button); });
    button->show();
    buttons_.push_back(button);
}

void FrameStrip::RefreshGrids() {
    for (FrameGrid* grid : grids_) {
        grid->update();
    }
}

void FrameStrip::ScrollBar1Change(int position) {
    for (std::size_t slot = 0; slot < grids_.size(); ++slot) {
        const int frame = position + static_cast<int>(slot);
        grids_[slot]->SetFrameIndex(frame);
        grids_[slot]->repaint();
        buttons_[slot]->SetFrameIndex(frame);
        // The down button keeps its slot, so the current frame moves along with the view.
        if (buttons_[slot]->isChecked()) {
            document_.SetCurrentFrame(frame);
        }
    }
}

void FrameStrip::RadioButton1Click(FrameButton& button) {
    document_.SetCurrentFrame(button.FrameIndex());
}

void FrameStrip::DrawGrid1SelectCell(FrameGrid& grid, int column, int gridRow) {
    // A dot edit records no undo step and repaints only the cell the grid repaints itself.
    if (document_.ToggleDot(grid.FrameIndex(), column, gridRow)) {
        emit DotToggled();
    }
}

void FrameStrip::DrawGrid1MouseDown(FrameGrid& grid) {
    document_.SetCurrentFrame(grid.FrameIndex());
    for (FrameButton* button : buttons_) {
        if (button->FrameIndex() == grid.FrameIndex()) {
            button->setChecked(true);
        }
    }
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
        // With no button down the scroll carries no frame along: the current one stays.
        buttonGroup_->setExclusive(false);
        for (FrameButton* button : buttons_) {
            button->setChecked(false);
        }
        const int first = FirstVisibleFrame();
        int target = first;
        if (current < first) {
            target = current;
        } else if (current >= first + shown) {
            target = current - shown + 1;
        }
        scrollBar_->setValue(std::clamp(target, 0, scrollBar_->maximum()));
        for (FrameButton* button : buttons_) {
            button->setChecked(button->FrameIndex() == current);
        }
        buttonGroup_->setExclusive(true);
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
