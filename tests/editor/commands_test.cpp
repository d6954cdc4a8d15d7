// The window's commands: their shortcuts wherever the focus is, what they do to the strip, and
// the undo and redo commands following the history.
#include <algorithm>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "editor/window/speed_box.h"
#include "editor_window_fixture.h"
#include "frameset/frame_kinds.h"
#include "tests/support/temp_dir.h"

namespace kadr::editor::testing {
namespace {

class CommandsTest : public EditorWindowTest {
  protected:
    const Commands& Actions() const { return window_->Actions(); }
    SpeedBox* SpeedAnim() const { return window_->Bottom().seSpeedAnim; }
    void Trigger(QAction* action) { action->trigger(); }
    void ExpectUndoRedo(bool undo, bool redo) {
        EXPECT_EQ(Actions().acUndo->isEnabled(), undo);
        EXPECT_EQ(Actions().acRedo->isEnabled(), redo);
    }
};

TEST_F(CommandsTest, ShortcutsWorkWithTheFocusInASpeedBox) {
    SetStripWidth(590);
    Click(*Grid(0), 3, 3);
    QTest::keyClicks(SpeedAnim(), QStringLiteral("7"));
    const QString typed = SpeedAnim()->text();

    TriggerShortcut(SpeedAnim(), QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(Dot(0, 3, 3), kDotBlank) << "Del clears the current frame";
    EXPECT_EQ(SpeedAnim()->text(), typed) << "and deletes nothing in the box";

    TriggerShortcut(SpeedAnim(), QKeySequence(Qt::Key_Insert));
    EXPECT_EQ(Set().FrameCount(), 2);
    TriggerShortcut(SpeedAnim(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(Set().FrameCount(), 1);
    TriggerShortcut(SpeedAnim(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_EQ(Set().FrameCount(), 2);
    TriggerShortcut(SpeedAnim(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    EXPECT_EQ(Set().FrameCount(), 1);
    EXPECT_EQ(SpeedAnim()->text(), typed);
}

TEST_F(CommandsTest, ShortcutsWorkWithTheFocusInAGrid) {
    SetStripWidth(590);
    Click(*Grid(0), 3, 3);
    TriggerShortcut(Grid(0), QKeySequence(Qt::Key_Insert));
    EXPECT_EQ(Set().FrameCount(), 2);
    ASSERT_NE(Grid(0), nullptr);
    EXPECT_TRUE(Grid(0)->hasFocus()) << "the rebuilt strip keeps the keyboard";
    TriggerShortcut(Grid(0), QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(Dot(1, 3, 3), kDotBlank);
    EXPECT_EQ(Dot(0, 3, 3), kDotSet);
}

TEST_F(CommandsTest, UndoAndRedoAreEnabledExactlyByTheHistory) {
    ExpectUndoRedo(false, false);
    Trigger(Actions().acAdd);
    ExpectUndoRedo(true, false);
    Trigger(Actions().acClear);
    Trigger(Actions().acUndo);
    ExpectUndoRedo(true, true);
    Trigger(Actions().acUndo);
    ExpectUndoRedo(false, true);
    EXPECT_EQ(Set().FrameCount(), 1);
    Trigger(Actions().acRedo);
    ExpectUndoRedo(true, true);
    Trigger(Actions().acRedo);
    ExpectUndoRedo(true, false);
    EXPECT_EQ(Set().FrameCount(), 2);
    Trigger(Actions().acUndo);
    Trigger(Actions().tbMoveToLeft);  // a new edit ends the way forward
    ExpectUndoRedo(true, false);
}

TEST_F(CommandsTest, AddShowsTheNewFrameAtTheEndOfTheStripAndKeepsItCurrent) {
    NewDocument(3);
    SetStripWidth(590);
    Click(*Grid(0), 1, 1);
    Trigger(Actions().acAdd);
    EXPECT_EQ(Set().FrameCount(), 4);
    EXPECT_EQ(Set().CurFrame, 3);
    auto* bar = window_->findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
    EXPECT_EQ(bar->value(), bar->maximum());
    ASSERT_EQ(SlotCount(), 1);
    EXPECT_EQ(Button(0)->text(), QStringLiteral("4"));
    EXPECT_TRUE(Button(0)->isChecked());
    EXPECT_EQ(Dot(3, 1, 1), kDotSet) << "the new frame is a copy of the current one";
    EXPECT_EQ(window_->StatusPanel(0)->text(), QStringLiteral("Кадров = 4"));
}

// No command handler redraws: whoever changes the document, the strip, the status bar, the undo
// actions and the caption follow its notification.
TEST_F(CommandsTest, TheWindowFollowsAnEditMadeStraightOnTheDocument) {
    SetStripWidth(590);
    Document& document = window_->Doc();
    document.Add();
    EXPECT_EQ(window_->StatusPanel(0)->text(), QStringLiteral("Кадров = 2"));
    ASSERT_EQ(SlotCount(), 1);
    EXPECT_EQ(Button(0)->text(), QStringLiteral("2")) << "rebuilt and scrolled to the end";
    EXPECT_TRUE(Button(0)->isChecked());
    ExpectUndoRedo(true, false);

    document.Undo();
    EXPECT_EQ(window_->StatusPanel(0)->text(), QStringLiteral("Кадров = 1"));
    ExpectUndoRedo(false, true);

    Click(*Grid(0), 4, 4);
    const QImage before = Grab(*Grid(0));
    document.Invert();
    const QImage after = Grab(*Grid(0));
    EXPECT_EQ(PixelOfCell(before, *Grid(0), 4, 4), QColor(0, 0, 0));
    EXPECT_NE(PixelOfCell(after, *Grid(0), 4, 4), QColor(0, 0, 0)) << "repainted at once";
    EXPECT_EQ(PixelOfCell(after, *Grid(0), 5, 4), QColor(0, 0, 0));
    ExpectUndoRedo(true, false);

    kadr::testing::TempDir dir;
    document.Save(dir.File("follow.kdz"));
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Кадрописец - follow.kdz"));
    ExpectUndoRedo(false, false);
    document.New(0);
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Кадрописец - Без названия"));
    EXPECT_EQ(SlotCount(), 0);
}

TEST_F(CommandsTest, AFullFrameSetRefusesAddAndInsertAndSaysSo) {
    NewDocument(kMaxFrames);
    for (QAction* grow : {Actions().acAdd, Actions().acInsert}) {
        Trigger(grow);
        EXPECT_EQ(Set().FrameCount(), kMaxFrames);
        EXPECT_EQ(window_->StatusPanel(0)->text(), QStringLiteral("Не более 256 кадров"));
        EXPECT_FALSE(Actions().acUndo->isEnabled());
    }
}

TEST_F(CommandsTest, DeletingTheOnlyFrameAndUndoingLeavesNoCurrentFrameUntilOneIsPicked) {
    SetStripWidth(590);
    Trigger(Actions().acDelete);
    EXPECT_EQ(SlotCount(), 0);
    Trigger(Actions().acUndo);
    ASSERT_EQ(SlotCount(), 1);
    EXPECT_EQ(Set().CurFrame, -1);
    EXPECT_FALSE(Button(0)->isChecked());
    Trigger(Actions().acClear);  // with no current frame: nothing, and no undo step
    ExpectUndoRedo(false, true);
    Click(*Grid(0), 2, 2);
    EXPECT_EQ(Set().CurFrame, 0);
}

TEST_F(CommandsTest, ShiftButtonsMoveTheCurrentFramesPicture) {
    NewDocument(2);
    SetStripWidth(1000);
    Click(*Grid(1), 5, 5);
    auto* right = window_->findChild<QToolButton*>(QStringLiteral("tbMoveToRight"));
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_EQ(Dot(1, 6, 5), kDotSet);
    EXPECT_EQ(Dot(1, 5, 5), kDotBlank);
    auto* down = window_->findChild<QToolButton*>(QStringLiteral("tbMoveToDown"));
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(Dot(1, 6, 6), kDotSet);
    EXPECT_EQ(Grab(*Grid(1)).pixelColor(CellCentre(*Grid(1), 6, 6)), QColor(0, 0, 0));
}

TEST_F(CommandsTest, CopyAndPasteCarryAFrameWithItsKind) {
    NewDocument(2);
    SetStripWidth(1000);
    Click(*Grid(0), 4, 4);
    SetStr(Set().Frames[0]);
    Trigger(Actions().acCopy);
    ExpectUndoRedo(false, false);
    Click(*Grid(1), 0, 0);
    Trigger(Actions().acPaste);
    EXPECT_EQ(Set().Frames[1], Set().Frames[0]);
    EXPECT_EQ(Grab(*Grid(1)).pixelColor(CellCentre(*Grid(1), 4, 4)), QColor(0, 0, 0));
    ExpectUndoRedo(true, false);
}

// As the user meets the toolbar: left to right by position, each button named by its hint, and
// each one running the command of the same hint in the menus.
TEST_F(CommandsTest, TheToolbarShowsItsButtonsLeftToRightAndEachRunsItsCommand) {
    auto* bar = window_->findChild<QToolBar*>(QStringLiteral("ToolBar1"));
    ASSERT_NE(bar, nullptr);
    const Commands& c = Actions();
    const std::vector<std::pair<QString, QAction*>> expected{
        {"Открыть...", c.acOpen},
        {"Сохранить", c.acSave},
        {"|", nullptr},
        {"Копировать", c.acCopy},
        {"Вставить", c.acPaste},
        {"|", nullptr},
        {"Сдвиг влево", c.tbMoveToLeft},
        {"Сдвиг вправо", c.tbMoveToRight},
        {"Сдвиг вверх", c.tbMoveToUp},
        {"Сдвиг вниз", c.tbMoveToDown},
        {"|", nullptr},
        {"Добавить", c.acAdd},
        {"Очистить", c.acClear},
        {"Раздвинуть", c.acInsert},
        {"|", nullptr},
        {"Удалить", c.acDelete},
        {"|", nullptr},
        {"Масштаб", nullptr},
    };
    std::vector<std::pair<int, QString>> seen;  // left edge, hint or "|"
    std::vector<QToolButton*> buttons;
    for (QAction* action : bar->actions()) {
        QWidget* widget = bar->widgetForAction(action);
        ASSERT_NE(widget, nullptr);
        ASSERT_TRUE(widget->isVisible());
        if (action->isSeparator()) {
            seen.emplace_back(widget->x(), QStringLiteral("|"));
            continue;
        }
        seen.emplace_back(widget->x(), widget->toolTip());
        if (auto* button = qobject_cast<QToolButton*>(widget)) {
            buttons.push_back(button);
        }
    }
    std::sort(seen.begin(), seen.end());
    // The drawing tools come after every original button, behind a separator of their own.
    const QStringList tools{
        "|", "Точка", "Линия", "Прямоугольник", "Закрашенный прямоугольник", "Заливка"};
    ASSERT_EQ(seen.size(), expected.size() + static_cast<std::size_t>(tools.size()));
    for (qsizetype t = 0; t < tools.size(); ++t) {
        EXPECT_EQ(seen[expected.size() + static_cast<std::size_t>(t)].second, tools[t]);
    }
    std::size_t b = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(seen[i].second, expected[i].first) << "position " << i;
        if (expected[i].second != nullptr) {
            ASSERT_LT(b, buttons.size());
            EXPECT_EQ(buttons[b]->defaultAction(), expected[i].second) << "position " << i;
            EXPECT_EQ(buttons[b]->iconSize(), QSize(16, 16));
            ++b;
        }
    }

    // Pressed, a button does what its command does: the add button appends a frame, the
    // delete button takes the current one away.
    auto* add = bar->findChild<QToolButton*>(QStringLiteral("tbDouble"));
    auto* remove = bar->findChild<QToolButton*>(QStringLiteral("tbDelete"));
    ASSERT_TRUE(add && remove);
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(Set().FrameCount(), 2);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(Set().FrameCount(), 1);
    auto* open = bar->findChild<QToolButton*>(QStringLiteral("tbOpen"));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_EQ(open->menu()->objectName(), QStringLiteral("PopupMenu1"));
}

}  // namespace
}  // namespace kadr::editor::testing
