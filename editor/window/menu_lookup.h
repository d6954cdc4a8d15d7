#pragma once

#include <QString>

class QMenu;
class QMenuBar;

namespace kadr::editor {

// The commands added after the original ones find their menus by caption, so that none of them
// has to know in which order the others were installed.
QMenu* MenuTitled(QMenuBar& bar, const QString& title);

// "&Вид", made on first use right after "П&араметры" (before "По&мощь").
QMenu* ViewMenu(QMenuBar& bar);

}  // namespace kadr::editor
