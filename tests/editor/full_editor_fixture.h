#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QStringList>

#include "editor/window/main_window.h"
#include "editor/window/startup.h"
#include "modal_script.h"
#include "tests/support/temp_dir.h"

namespace kadr::editor::testing {

// The whole editor as a run makes it: the main window and its three dialogs, shown and active,
// with a folder for the files a test writes.
class FullEditorTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Destroys the windows (which saves the stored settings) and starts again, as a new run.
    void Restart();
    void Stop();

    TfmMain& Main() { return *windows_.fmMain; }
    FrameSet& Set() { return windows_.fmMain->Doc().Set(); }
    QString Caption() { return windows_.fmMain->windowTitle(); }
    QString StatusText(int panel) { return windows_.fmMain->StatusPanel(panel)->text(); }
    QStringList Recent();
    // The path of `name` in the test's folder as Qt's file dialogs give it (with '/').
    QString File(const QString& name) const {
        return QDir::fromNativeSeparators(QString::fromStdString(dir_.File(name.toStdString())));
    }

    // Triggers a command with the script answering its windows; the script must use every step.
    void Run(QAction* command, ModalScript& script);
    void Run(QAction* command);
    // A left click on a dot of the grid in slot 0.
    void ClickDot(int column, int gridRow);

    kadr::testing::TempDir dir_;
    EditorWindows windows_;
};

}  // namespace kadr::editor::testing
