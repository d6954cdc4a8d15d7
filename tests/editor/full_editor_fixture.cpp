#include "full_editor_fixture.h"

#include <QApplication>
#include <QTest>

#include "editor/files/recent_file_list.h"
#include "editor/strip/frame_grid.h"
#include "editor/strip/strip_geometry.h"

namespace kadr::editor::testing {

void FullEditorTest::SetUp() {
    windows_ = CreateWindows();
    windows_.fmMain->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(windows_.fmMain.get()));
    windows_.fmMain->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(windows_.fmMain.get()));
}

void FullEditorTest::TearDown() {
    Stop();
}

void FullEditorTest::Stop() {
    windows_.fmMain.reset();
}

void FullEditorTest::Restart() {
    Stop();
    SetUp();
}

QStringList FullEditorTest::Recent() {
    return windows_.fmMain->RecentFiles().Paths();
}

void FullEditorTest::Run(QAction* command, ModalScript& script) {
    command->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return script.Finished(); }, 5000))
        << "a window the script expected did not come up";
    // Let the last answer's window close before the test looks at the outcome.
    QTest::qWait(10);
}

void FullEditorTest::Run(QAction* command) {
    ModalScript none;
    Run(command, none);
}

void FullEditorTest::ClickDot(int column, int gridRow) {
    auto* grid = windows_.fmMain->findChild<FrameGrid*>(QStringLiteral("dg0"));
    ASSERT_NE(grid, nullptr);
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier,
                      GridCellRect(grid->CellSize(), column, gridRow).center());
}

}  // namespace kadr::editor::testing
