#include "editor/strip/frame_grid.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "editor/dots/dot_painter.h"
#include "editor/strip/cell_painter.h"
#include "editor/strip/strip_geometry.h"
#include "frameset/drawing/tools.h"

namespace kadr::editor {

FrameGrid::FrameGrid(const FrameSet& set, int frameIndex, int cellSize, QWidget* parent)
    : QWidget(parent), set_(set), frameIndex_(frameIndex), cellSize_(cellSize) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setBackgroundRole(QPalette::Base);
    resize(GridWidth(cellSize), GridHeight(cellSize));
}

void FrameGrid::SetFrameIndex(int frameIndex) {
    frameIndex_ = frameIndex;
}

QSize FrameGrid::sizeHint() const {
    return {GridWidth(cellSize_), GridHeight(cellSize_)};
}

QRect FrameGrid::CellRect(QPoint cell) const {
    return GridCellRect(cellSize_, cell.x(), cell.y());
}

std::optional<QPoint> FrameGrid::CellAt(QPoint position) const {
    const int x = position.x() - kGridBorder;
    const int y = position.y() - kGridBorder;
    const int pitch = cellSize_ + 1;
    if (x < 0 || y < 0 || x >= kGridColumns * pitch || y >= kGridRows * pitch) {
        return std::nullopt;
    }
    return QPoint(x / pitch, y / pitch);
}

void FrameGrid::SetLook(SelectionLook look) {
    if (look_ != look) {
        look_ = look;
        update();
    }
}

bool FrameGrid::event(QEvent* event) {
    // Esc belongs to the shape being drawn here, not to the window's "Снять выделение".
    if (event->type() == QEvent::ShortcutOverride && drag_ &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void FrameGrid::SetOnionSkin(bool on) {
    if (onionSkin_ != on) {
        onionSkin_ = on;
        update();
    }
}

QPoint FrameGrid::ClampedCellAt(QPoint position) const {
    const int pitch = cellSize_ + 1;
    const int x = std::clamp((position.x() - kGridBorder) / pitch, 0, kGridColumns - 1);
    const int y = std::clamp((position.y() - kGridBorder) / pitch, 0, kGridRows - 1);
    return {position.x() < kGridBorder ? 0 : x, position.y() < kGridBorder ? 0 : y};
}

void FrameGrid::MoveCurrent(QPoint cell) {
    emit SelectCell(cell.x(), cell.y());
    const QPoint previous = current_;
    current_ = cell;
    // The focus rectangle covers the cell's edge pixels, so the whole cell square is repainted.
    update(CellRect(previous));
    update(CellRect(current_));
}

void FrameGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QColor background = palette().color(QPalette::Base);
    const QRect dirty = event->rect();
    const bool showsFrame = frameIndex_ >= 0 && frameIndex_ < kMaxFrames;
    const int pitch = cellSize_ + 1;
    // While a shape is dragged the grid shows the frame as the release will leave it.
    Frame shown{};
    if (showsFrame) {
        const Frame& frame = set_.Frames[static_cast<std::size_t>(frameIndex_)];
        shown = drag_ ? drag_->Preview(frame) : frame;
    }
    painter.fillRect(QRect(kGridBorder, kGridBorder, kGridColumns * pitch, kGridRows * pitch),
                     cell_colours::kGridLine);
    for (int column = 0; column < kGridColumns; ++column) {
        const QRect cell = GridCellRect(cellSize_, column, 0);
        if (cell.intersects(dirty)) {
            painter.fillRect(cell, background);
            if (showsFrame) {
                DrawGrid1DrawCell(painter, shown, column, 0, cell);
            }
        }
    }
    // The dot rows, grid rows 1..14, through the one dot painter; the module stripes stay
    // visible on the cells left in the background colour.
    const DotPainter dots({.origin = GridCellRect(cellSize_, 0, 1).topLeft(),
                           .pitch = pitch,
                           .size = static_cast<double>(cellSize_)});
    const Frame* previous = showsFrame ? OnionSkinSource(shown) : nullptr;
    dots.Paint(painter, kGridColumns, dirty, [&](int column, int row) {
        return showsFrame ? DotCellColour(shown, previous, column, row, background) : background;
    });
    if (showsFrame) {
        for (int column = 0; column < kGridColumns; ++column) {
            for (int row = 0; row < kDotRows; ++row) {
                const QRect cell = dots.Cell(column, row).adjusted(0, 0, -1, -1);
                if (cell.intersects(dirty) &&
                    DotCellColour(shown, previous, column, row, background) == background) {
                    DrawModuleStripes(painter, column, row + 1, cell);
                }
            }
        }
    }
    PaintBorder(painter);
    if (hasFocus()) {
        PaintFocusRect(painter);
    }
}

const Frame* FrameGrid::OnionSkinSource(const Frame& frame) const {
    // Start and end frames show their tint only; the first frame has nothing before it.
    if (!onionSkin_ || frameIndex_ < 1 || frameIndex_ > set_.LastFrame || !TakesDrawing(frame)) {
        return nullptr;
    }
    return &set_.Frames[static_cast<std::size_t>(frameIndex_ - 1)];
}

void FrameGrid::PaintBorder(QPainter& painter) const {
    const int w = width();
    const int h = height();
    if (look_ != SelectionLook::None) {
        const QColor edge = look_ == SelectionLook::CurrentOfSeveral ? cell_colours::kCurrentEdge
                                                                     : cell_colours::kSelectedEdge;
        painter.fillRect(0, 0, w, kGridBorder, edge);
        painter.fillRect(0, h - kGridBorder, w, kGridBorder, edge);
        painter.fillRect(0, 0, kGridBorder, h, edge);
        painter.fillRect(w - kGridBorder, 0, kGridBorder, h, edge);
        return;
    }
    // A sunken two-pixel frame: dark above and left, light below and right.
    const QPalette& colours = palette();
    painter.fillRect(0, 0, w, 1, colours.color(QPalette::Mid));
    painter.fillRect(0, 0, 1, h, colours.color(QPalette::Mid));
    painter.fillRect(1, 1, w - 2, 1, colours.color(QPalette::Shadow));
    painter.fillRect(1, 1, 1, h - 2, colours.color(QPalette::Shadow));
    painter.fillRect(0, h - 1, w, 1, colours.color(QPalette::Light));
    painter.fillRect(w - 1, 0, 1, h, colours.color(QPalette::Light));
    painter.fillRect(1, h - 2, w - 2, 1, colours.color(QPalette::Midlight));
    painter.fillRect(w - 2, 1, 1, h - 2, colours.color(QPalette::Midlight));
}

void FrameGrid::PaintFocusRect(QPainter& painter) const {
    // Alternating black and white pixels stay visible on set dots, clear dots and tints alike.
    const QRect cell = CellRect(current_);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    QPen dots(Qt::black, 1, Qt::CustomDashLine);
    dots.setDashPattern({1, 1});
    painter.setPen(dots);
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
}

bool FrameGrid::PressTool(QMouseEvent& event) {
    if (tool_ == Tool::Dot) {
        return false;
    }
    const auto cell = CellAt(event.position().toPoint());
    if (!cell) {
        return true;
    }
    const bool clear = event.modifiers() & Qt::ShiftModifier;
    if (tool_ == Tool::Fill) {
        emit ShapeDrawn(*cell, *cell, clear);
    } else {
        drag_.emplace(tool_, *cell, clear);
        update();
    }
    return true;
}

void FrameGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && PressTool(*event)) {
        // The shape tools leave the current cell alone: nothing is toggled.
    } else if (event->button() == Qt::LeftButton) {
        // A press makes its cell current even when it already is: every click toggles again.
        if (const auto cell = CellAt(event->position().toPoint())) {
            selecting_ = true;
            MoveCurrent(*cell);
        }
    }
    emit MouseDown(event->button());
}

void FrameGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click moves nothing, so it toggles nothing either, and a drag
    // that follows it draws nothing.
    selecting_ = false;
    emit MouseDown(event->button());
}

void FrameGrid::mouseMoveEvent(QMouseEvent* event) {
    if (drag_) {
        if (drag_->MoveTo(ClampedCellAt(event->position().toPoint()),
                          event->modifiers() & Qt::ShiftModifier)) {
            update();
        }
        return;
    }
    if (!selecting_ || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    const auto cell = CellAt(event->position().toPoint());
    if (cell && *cell != current_) {
        MoveCurrent(*cell);
    }
}

void FrameGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        selecting_ = false;
        if (drag_) {
            drag_->MoveTo(ClampedCellAt(event->position().toPoint()),
                          event->modifiers() & Qt::ShiftModifier);
            const ShapeDrag finished = *drag_;
            drag_.reset();
            update();
            emit ShapeDrawn(finished.From(), finished.To(), finished.Clears());
        }
    }
}

std::optional<QPoint> FrameGrid::NavigationTarget(const QKeyEvent& event) const {
    const bool control = event.modifiers() & Qt::ControlModifier;
    QPoint target = current_;
    switch (event.key()) {
        case Qt::Key_Left:
            target.rx() -= 1;
            break;
        case Qt::Key_Right:
            target.rx() += 1;
            break;
        case Qt::Key_Up:
            target.ry() -= 1;
            break;
        case Qt::Key_Down:
            target.ry() += 1;
            break;
        case Qt::Key_Home:
            target = control ? QPoint(0, 0) : QPoint(0, current_.y());
            break;
        case Qt::Key_End:
            target = control ? QPoint(kGridColumns - 1, kGridRows - 1)
                             : QPoint(kGridColumns - 1, current_.y());
            break;
        case Qt::Key_PageUp:
            target.ry() = 0;
            break;
        case Qt::Key_PageDown:
            target.ry() = kGridRows - 1;
            break;
        default:
            return std::nullopt;
    }
    target.rx() = std::clamp(target.x(), 0, kGridColumns - 1);
    target.ry() = std::clamp(target.y(), 0, kGridRows - 1);
    return target;
}

void FrameGrid::keyPressEvent(QKeyEvent* event) {
    if (drag_ && event->key() == Qt::Key_Escape) {
        // Escape drops the shape under way; nothing is drawn.
        drag_.reset();
        update();
        event->accept();
        return;
    }
    const auto target = NavigationTarget(*event);
    if (!target) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Only a cell actually moved into is toggled: an arrow against the edge does nothing.
    if (*target != current_) {
        MoveCurrent(*target);
    }
    event->accept();
}

void FrameGrid::focusInEvent(QFocusEvent* event) {
    update(CellRect(current_));
    QWidget::focusInEvent(event);
}

void FrameGrid::focusOutEvent(QFocusEvent* event) {
    update(CellRect(current_));
    QWidget::focusOutEvent(event);
}

void FrameGrid::contextMenuEvent(QContextMenuEvent* event) {
    if (contextMenu_ == nullptr) {
        return;
    }
    // Not exec(): a nested event loop could rebuild the strip, and so delete this grid, while
    // this handler is still running.
    const QPoint at = event->reason() == QContextMenuEvent::Mouse
                          ? event->globalPos()
                          : mapToGlobal(CellRect(current_).center());
    contextMenu_->popup(at);
    event->accept();
}

}  // namespace kadr::editor
