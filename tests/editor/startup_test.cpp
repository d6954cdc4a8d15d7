// Start-up and shutdown: the four windows, the state the main window starts in, and the settings
// store it writes when it goes.
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTest>

#include "editor/app/form_storage.h"
#include "editor/app/startup_settings.h"
#include "editor/dialogs/new_file_dialog.h"
#include "editor/dialogs/port_dialog.h"
#include "editor/dialogs/status_window.h"
#include "editor/strip/frame_grid.h"
#include "editor/window/main_window.h"
#include "editor/window/speed_box.h"
#include "editor/window/startup.h"
#include "gtest/gtest.h"

namespace kadr::editor::testing {
namespace {

TEST(Startup, CreatesTheMainWindowFirstAndTheOthersHiddenInOrder) {
    EditorWindows windows = CreateWindows();
    ASSERT_NE(windows.fmMain, nullptr);
    const QObjectList owned = windows.fmMain->children();
    const auto position = [&](QObject* window) { return owned.indexOf(window); };
    EXPECT_LT(position(windows.fmNew), position(windows.fmStsMessage));
    EXPECT_LT(position(windows.fmStsMessage), position(windows.fmParam));
    EXPECT_EQ(windows.fmNew->windowTitle(), QStringLiteral("Параметрв нового файла"));
    EXPECT_EQ(windows.fmStsMessage->windowTitle(), QStringLiteral("Сообщение"));
    EXPECT_EQ(windows.fmParam->windowTitle(), QStringLiteral("Параметры"));
    for (QWidget* dialog :
         {static_cast<QWidget*>(windows.fmNew), static_cast<QWidget*>(windows.fmStsMessage),
          static_cast<QWidget*>(windows.fmParam)}) {
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_TRUE(dialog->isWindow());
    }
}

TEST(Startup, TheMainWindowOpensWithOneBlankFrameAndNothingToUndo) {
    TfmMain window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Кадрописец - Без названия"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    const FrameSet& set = window.Doc().Set();
    EXPECT_EQ(set.FrameCount(), 1);
    EXPECT_EQ(set.CurFrame, 0);
    EXPECT_TRUE(set.FileName.empty());
    EXPECT_EQ(window.findChildren<FrameGrid*>().size(), 1);
    EXPECT_EQ(window.StatusPanel(0)->text(), QStringLiteral("Кадров = 1"));
    EXPECT_EQ(window.StatusPanel(0)->width(), 200);
    EXPECT_FALSE(window.Actions().acUndo->isEnabled());
    EXPECT_FALSE(window.Actions().acRedo->isEnabled());
    EXPECT_EQ(window.findChild<QComboBox*>(QStringLiteral("cbMashtab"))->currentText(),
              QStringLiteral("100 %"));
    EXPECT_FALSE(window.findChild<QScrollBar*>(QStringLiteral("ScrollBar1"))->isEnabled());
    EXPECT_EQ(window.Bottom().seSpeedAnim->value(), 1);
    EXPECT_EQ(window.Bottom().seSpeedRow->value(), 1);
    EXPECT_TRUE(window.Bottom().rbFlag0->isChecked());
}

// Nothing stored, or a stored placement that cannot be read: the window shows at its built-in
// place and size, not at a half-read rectangle.
TEST(Startup, WithoutAUsableStoredPlacementTheWindowShowsAtItsBuiltInPlace) {
    for (const QString& stored : {QString(), QStringLiteral("10,20,x,400"),
                                  QStringLiteral("10,20,300"), QStringLiteral("500,500,100,100")}) {
        SCOPED_TRACE(stored.toStdString());
        if (!stored.isNull()) {
            QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                               QString::fromLatin1(kCompanyName), FormStorage::ProgramName());
            settings.setValue(QStringLiteral("TfmMain/NormPos"), stored);
        }
        TfmMain window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_EQ(window.pos(), QPoint(298, 246));
        EXPECT_EQ(window.size(), QSize(598, 386));
    }
}

}  // namespace
}  // namespace kadr::editor::testing
