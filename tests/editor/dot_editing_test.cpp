// Drawing with the mouse and the keyboard: every cell that becomes a grid's current cell is
// toggled, and a press on a grid makes its frame current.
#include <QApplication>
#include <QMenu>

#include "editor/window/speed_box.h"
#include "editor_window_fixture.h"
#include "frameset/frame_kinds.h"

namespace kadr::editor::testing {
namespace {

class DotEditingTest : public EditorWindowTest {
  protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        NewDocument(3);
        SetStripWidth(1000);
        ASSERT_EQ(SlotCount(), 3);
    }
    int SetDots(int frame) {
        int count = 0;
        for (std::uint8_t cell : Set().Frames[static_cast<std::size_t>(frame)]) {
            count += cell == kDotSet;
        }
        return count;
    }
    void Press(FrameGrid& grid, int column, int row) {
        QTest::mousePress(&grid, Qt::LeftButton, Qt::NoModifier, CellCentre(grid, column, row));
    }
    void MoveTo(FrameGrid& grid, int column, int row) {
        QTest::mouseMove(&grid, CellCentre(grid, column, row));
    }
    void Release(FrameGrid& grid, int column, int row) {
        QTest::mouseRelease(&grid, Qt::LeftButton, Qt::NoModifier, CellCentre(grid, column, row));
    }
};

TEST_F(DotEditingTest, EachClickTogglesTheDotAndRecordsNoUndoStep) {
    FrameGrid& grid = *Grid(0);
    Click(grid, 4, 9);
    EXPECT_EQ(Dot(0, 4, 9), kDotSet);
    EXPECT_EQ(Grab(grid).pixelColor(CellCentre(grid, 4, 9)), QColor(0, 0, 0));
    Click(grid, 4, 9);
    EXPECT_EQ(Dot(0, 4, 9), kDotBlank);
    EXPECT_EQ(SetDots(0), 0);
    EXPECT_FALSE(window_->Actions().acUndo->isEnabled());
    EXPECT_FALSE(window_->Doc().Modified());
}

TEST_F(DotEditingTest, TheMarkRowTakesTheCurrentCellButNoDot) {
    FrameGrid& grid = *Grid(0);
    Click(grid, 6, 0);
    EXPECT_EQ(grid.CurrentCell(), QPoint(6, 0));
    Frame blank;
    FillBlank(blank);
    EXPECT_EQ(Set().Frames[0], blank);
}

TEST_F(DotEditingTest, ALeftDragTogglesEveryEnteredCellOnce) {
    FrameGrid& grid = *Grid(1);
    Press(grid, 2, 3);
    MoveTo(grid, 3, 3);
    MoveTo(grid, 4, 3);
    MoveTo(grid, 4, 3);  // staying in a cell toggles nothing more
    MoveTo(grid, 4, 4);
    Release(grid, 4, 4);
    EXPECT_EQ(SetDots(1), 4);
    for (QPoint cell : {QPoint(2, 3), QPoint(3, 3), QPoint(4, 3), QPoint(4, 4)}) {
        EXPECT_EQ(Dot(1, cell.x(), cell.y()), kDotSet) << cell.x() << "," << cell.y();
    }
    EXPECT_EQ(Set().CurFrame, 1);

    Press(grid, 6, 6);
    MoveTo(grid, 7, 6);
    MoveTo(grid, 6, 6);  // moving back into a cell toggles it again
    Release(grid, 6, 6);
    EXPECT_EQ(Dot(1, 6, 6), kDotBlank);
    EXPECT_EQ(Dot(1, 7, 6), kDotSet);
    // Without the button held, moving draws nothing.
    MoveTo(grid, 9, 9);
    EXPECT_EQ(Dot(1, 9, 9), kDotBlank);
}

TEST_F(DotEditingTest, ADoubleClickTogglesOnceAndThreeQuickClicksTwice) {
    FrameGrid& grid = *Grid(0);
    QTest::mouseDClick(&grid, Qt::LeftButton, Qt::NoModifier, CellCentre(grid, 5, 5));
    EXPECT_EQ(Dot(0, 5, 5), kDotSet);

    QTest::mouseDClick(&grid, Qt::LeftButton, Qt::NoModifier, CellCentre(grid, 8, 5));
    Click(grid, 8, 5);
    EXPECT_EQ(Dot(0, 8, 5), kDotBlank);
    EXPECT_EQ(SetDots(0), 1);
}

TEST_F(DotEditingTest, ArrowKeysMoveTheCurrentCellAndToggleWhatTheyEnter) {
    FrameGrid& grid = *Grid(0);
    Click(grid, 0, 7);  // draws (0, 7) and gives the grid the focus
    ASSERT_TRUE(grid.hasFocus());
    QTest::keyClick(&grid, Qt::Key_Left);  // against the edge: nothing moves, nothing toggles
    EXPECT_EQ(Dot(0, 0, 7), kDotSet);
    QTest::keyClick(&grid, Qt::Key_Down);  // grid row 8 is frame row 9
    EXPECT_EQ(Set().Cell(0, 0, 9), kDotSet);
    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(Dot(0, 1, 8), kDotSet);
    QTest::keyClick(&grid, Qt::Key_End);
    EXPECT_EQ(grid.CurrentCell(), QPoint(27, 8));
    EXPECT_EQ(Dot(0, 27, 8), kDotSet);
    QTest::keyClick(&grid, Qt::Key_PageUp);  // into the mark row: no change
    EXPECT_EQ(grid.CurrentCell(), QPoint(27, 0));
    EXPECT_EQ(SetDots(0), 4);
}

TEST_F(DotEditingTest, StartAndEndFramesRefuseDots) {
    SetBegStr(Set().Frames[1]);
    SetEndStr(Set().Frames[2]);
    for (int frame : {1, 2}) {
        FrameGrid& grid = *Grid(frame);
        const Frame before = Set().Frames[static_cast<std::size_t>(frame)];
        Click(grid, 3, 3);
        Press(grid, 4, 4);
        MoveTo(grid, 5, 4);
        Release(grid, 5, 4);
        EXPECT_EQ(Set().Frames[static_cast<std::size_t>(frame)], before) << frame;
        EXPECT_EQ(grid.CurrentCell(), QPoint(5, 4)) << "the current cell still moves";
        EXPECT_EQ(Set().CurFrame, frame);
    }
}

TEST_F(DotEditingTest, APressMakesTheGridsFrameCurrentAfterToggling) {
    FrameGrid& grid = *Grid(2);
    Click(grid, 1, 1);
    EXPECT_EQ(Set().CurFrame, 2);
    EXPECT_TRUE(Button(2)->isChecked());
    EXPECT_FALSE(Button(0)->isChecked());
    EXPECT_EQ(Dot(2, 1, 1), kDotSet);
}

TEST_F(DotEditingTest, OtherButtonsPickTheFrameWithoutMovingTheCurrentCell) {
    FrameGrid& grid = *Grid(1);
    QTest::mouseClick(&grid, Qt::MiddleButton, Qt::NoModifier, CellCentre(grid, 9, 9));
    EXPECT_EQ(Set().CurFrame, 1);
    EXPECT_TRUE(Button(1)->isChecked());
    EXPECT_EQ(grid.CurrentCell(), QPoint(0, 0));
    EXPECT_EQ(SetDots(1), 0);
}

TEST_F(DotEditingTest, ARightPressPicksTheFrameAndOffersTheFourKinds) {
    FrameGrid& grid = *Grid(2);
    QTest::mousePress(&grid, Qt::RightButton, Qt::NoModifier, CellCentre(grid, 9, 9));
    // The menu opens on the press; the release lands on it without choosing anything.
    QTest::mouseRelease(&grid, Qt::RightButton, Qt::NoModifier, CellCentre(grid, 9, 9));
    EXPECT_EQ(Set().CurFrame, 2);
    EXPECT_TRUE(Button(2)->isChecked());
    EXPECT_EQ(SetDots(2), 0);
    EXPECT_EQ(grid.CurrentCell(), QPoint(0, 0));

    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QStringLiteral("PopupMenu2"));
    QStringList captions;
    for (QAction* action : menu->actions()) {
        captions << action->text() + QLatin1Char(' ') + action->shortcut().toString();
    }
    EXPECT_EQ(captions, (QStringList{"Анимация Alt+1", "Начало бегущей строки Alt+2",
                                     "Бегущая строка Alt+3", "Конец бегущей строки Alt+4"}));

    QAction* start = menu->actions().at(1);
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(start).center());
    EXPECT_EQ(GetFrameKind(Set().Frames[2]), fkBegStr);
    EXPECT_EQ(GetFrameKind(Set().Frames[0]), fkAnim);
    EXPECT_EQ(Grab(grid).pixelColor(CellCentre(grid, 9, 9)), QColor(151, 239, 255));
    EXPECT_TRUE(window_->Actions().acUndo->isEnabled());
}

TEST_F(DotEditingTest, KindShortcutsWorkWhileAGridHasTheFocusOnly) {
    Click(*Grid(1), 2, 2);
    TriggerShortcut(Grid(1), QKeySequence(Qt::ALT | Qt::Key_3));
    EXPECT_EQ(GetFrameKind(Set().Frames[1]), fkStr);
    EXPECT_EQ(Dot(1, 2, 2), kDotSet) << "a running-line frame keeps its picture";

    TriggerShortcut(window_->Bottom().seSpeedAnim, QKeySequence(Qt::ALT | Qt::Key_4));
    EXPECT_EQ(GetFrameKind(Set().Frames[1]), fkStr);
}

}  // namespace
}  // namespace kadr::editor::testing
