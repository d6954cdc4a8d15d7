#include "editor/strip/strip_drag.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QFrame>
#include <QMimeData>
#include <QScrollBar>
#include <QWidget>

#include "editor/strip/cell_painter.h"
#include "editor/strip/frame_strip.h"
#include "editor/strip/strip_geometry.h"

namespace kadr::editor {
namespace {

const QString kMimeType = QStringLiteral("application/x-kadropisets-strip-frames");

}  // namespace

StripDrag::StripDrag(FrameStrip& strip, QWidget* panel, QScrollBar* scrollBar)
    : QObject(panel),
      strip_(strip),
      panel_(panel),
      scrollBar_(scrollBar),
      mark_(new QFrame(panel)),
      // This strip of this process: an address alone could repeat in another editor.
      token_(QByteArray::number(QCoreApplication::applicationPid()) + ':' +
             QByteArray::number(reinterpret_cast<quintptr>(panel))) {
    mark_->setObjectName(QStringLiteral("DropMark"));
    mark_->setAutoFillBackground(true);
    QPalette colours = mark_->palette();
    colours.setColor(QPalette::Window, cell_colours::kCurrentEdge);
    mark_->setPalette(colours);
    mark_->hide();
    panel_->setAcceptDrops(true);
    panel_->installEventFilter(this);
    scroll_.setInterval(kScrollInterval);
    connect(&scroll_, &QTimer::timeout, this, &StripDrag::ScrollStep);
}

QMimeData* StripDrag::MimeData() const {
    auto* data = new QMimeData;
    data->setData(kMimeType, token_);
    return data;
}

bool StripDrag::Ours(const QMimeData* data) const {
    return data != nullptr && data->hasFormat(kMimeType) && data->data(kMimeType) == token_;
}

void StripDrag::Run(QWidget* source) {
    auto* drag = new QDrag(panel_);
    drag->setMimeData(MimeData());
    drag->setPixmap(source->grab());
    drag->setHotSpot(QPoint(source->width() / 2, source->height() / 2));
    active_ = true;
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    active_ = false;
    HideMark();
}

int StripDrag::Before(QPoint at) const {
    const int gap = DropGap(at.x(), strip_.CellSize(), strip_.SlotCount());
    return std::min(strip_.FirstVisibleFrame() + gap, strip_.FrameCount());
}

bool StripDrag::eventFilter(QObject* watched, QEvent* event) {
    if (watched != panel_) {
        return false;
    }
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* move = static_cast<QDragMoveEvent*>(event);
            if (!Ours(move->mimeData())) {
                move->ignore();
                return true;
            }
            move->setDropAction(move->modifiers() & Qt::ControlModifier ? Qt::CopyAction
                                                                        : Qt::MoveAction);
            move->accept();
            ShowMark(move->position().toPoint());
            return true;
        }
        case QEvent::DragLeave:
            HideMark();
            return true;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            HideMark();
            if (!Ours(drop->mimeData())) {
                drop->ignore();
                return true;
            }
            const bool copy = drop->modifiers() & Qt::ControlModifier;
            drop->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
            drop->accept();
            // Applied once the drag's own event loop is over: the edit rebuilds the strip, and
            // with it the button the drag started from.
            const int before = Before(drop->position().toPoint());
            QMetaObject::invokeMethod(
                this, [this, before, copy] { emit Dropped(before, copy); }, Qt::QueuedConnection);
            return true;
        }
        default:
            return false;
    }
}

void StripDrag::ShowMark(QPoint at) {
    pointer_ = at;
    const int cellSize = strip_.CellSize();
    const int gap = Before(at) - strip_.FirstVisibleFrame();
    mark_->setGeometry(DropMarkLeft(gap, cellSize), 0, kDropMarkWidth, panel_->height());
    mark_->raise();
    mark_->show();
    scrollDirection_ = DragScrollDirection(at.x(), panel_->width(), cellSize);
    if (scrollDirection_ == 0) {
        scroll_.stop();
    } else if (!scroll_.isActive()) {
        scroll_.start();
    }
}

void StripDrag::HideMark() {
    scroll_.stop();
    scrollDirection_ = 0;
    mark_->hide();
}

void StripDrag::ScrollStep() {
    if (!scrollBar_->isEnabled()) {
        return;
    }
    scrollBar_->setValue(scrollBar_->value() + scrollDirection_);
    ShowMark(pointer_);
}

}  // namespace kadr::editor
