#pragma once

class QMainWindow;

namespace kadr::editor {

struct Commands;

// The menu bar of the main window.
void CreateMainMenu(QMainWindow& window, const Commands& commands);

}  // namespace kadr::editor
