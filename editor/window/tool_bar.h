#pragma once

class QComboBox;
class QMainWindow;
class QMenu;
class QToolBar;

namespace kadr::editor {

class CommandSet;

struct ToolBar {
    QToolBar* ToolBar1;
    QComboBox* cbMashtab;  // the scale list, "100 %" (cell size 10) down to "30 %" (3)
};

// The toolbar of the main window, built from the command declarations; `recentFiles` drops down
// from the open button's arrow.
ToolBar CreateToolBar(QMainWindow& window, const CommandSet& commands, QMenu* recentFiles);

}  // namespace kadr::editor
