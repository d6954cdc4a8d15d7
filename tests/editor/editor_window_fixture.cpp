#include "editor_window_fixture.h"

#include <QApplication>
#include <QComboBox>

#include "editor/strip/strip_geometry.h"

namespace kadr::editor::testing {

void EditorWindowTest::SetUp() {
    window_ = std::make_unique<TfmMain>();
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
}

void EditorWindowTest::TearDown() {
    // A frame menu left open would outlive the window it acts on.
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    window_.reset();
}

FrameGrid* EditorWindowTest::Grid(int slot) const {
    return window_->findChild<FrameGrid*>(QStringLiteral("dg%1").arg(slot));
}

FrameButton* EditorWindowTest::Button(int slot) const {
    return window_->findChild<FrameButton*>(QStringLiteral("sb%1").arg(slot));
}

int EditorWindowTest::SlotCount() const {
    return static_cast<int>(window_->findChildren<FrameGrid*>().size());
}

QWidget* EditorWindowTest::Panel1() const {
    return window_->findChild<QWidget*>(QStringLiteral("Panel1"));
}

void EditorWindowTest::SetStripWidth(int width) {
    window_->resize(width, window_->height());
    ASSERT_EQ(Panel1()->width(), width);
}

void EditorWindowTest::ChooseScale(const QString& text) {
    auto* scale = window_->findChild<QComboBox*>(QStringLiteral("cbMashtab"));
    const int index = scale->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    scale->setCurrentIndex(index);
}

void EditorWindowTest::NewDocument(int count) {
    window_->Doc().New(count);
    Rebuild();
}

QPoint EditorWindowTest::CellCentre(const FrameGrid& grid, int column, int gridRow) const {
    return GridCellRect(grid.CellSize(), column, gridRow).center();
}

void EditorWindowTest::Click(FrameGrid& grid, int column, int gridRow, Qt::MouseButton button) {
    QTest::mouseClick(&grid, button, Qt::NoModifier, CellCentre(grid, column, gridRow));
}

std::uint8_t EditorWindowTest::Dot(int frame, int column, int gridRow) const {
    return window_->Doc().Set().Cell(frame, column, FrameRowOfGridRow(gridRow));
}

QImage EditorWindowTest::Grab(FrameGrid& grid) const {
    return grid.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QColor EditorWindowTest::PixelOfCell(const QImage& image, const FrameGrid& grid, int column,
                                     int gridRow, QPoint offset) const {
    const QRect cell = GridCellRect(grid.CellSize(), column, gridRow);
    return image.pixelColor(cell.center() + offset);
}

void EditorWindowTest::TriggerShortcut(QWidget* focus, const QKeySequence& keys) {
    focus->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(focus->hasFocus() || focus->isAncestorOf(QApplication::focusWidget()));
    const QKeyCombination combination = keys[0];
    QTest::keyClick(QApplication::focusWidget(), combination.key(),
                    combination.keyboardModifiers());
}

}  // namespace kadr::editor::testing
