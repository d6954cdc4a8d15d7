#pragma once

#include <functional>

#include <QList>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

namespace kadr {
class Document;
}

namespace kadr::editor {

// The actions of the main window made from the command declarations, owned by the window and
// found by their object names.
class CommandSet {
  public:
    // Makes every declared action as a child of `window`, those reaching the window added to it.
    explicit CommandSet(QMainWindow& window);

    // The action of that object name; nullptr when none is declared.
    QAction* Command(const QString& name) const;
    // The commands whose shortcuts work wherever the focus is, the speed boxes included.
    const QList<QAction*>& Everywhere() const { return everywhere_; }
    // The commands whose shortcuts work while a frame grid, inside the widget given them, has the
    // focus.
    const QList<QAction*>& FrameGrid() const { return frameGrid_; }
    // Enables each command that has an enabled rule as the rule says for `document`.
    void UpdateEnabled(const Document& document) const;

  private:
    QMainWindow& window_;
    QList<QAction*> everywhere_;
    QList<QAction*> frameGrid_;
};

// The menu bar's menus and the pop-up menus in declaration order, each named by its object name,
// with their commands in their declared places. Returns the menu of that object name.
void BuildMenus(QMainWindow& window, const CommandSet& commands);
QMenu* FindMenu(const QMainWindow& window, const QString& name);

// The toolbar's buttons (each named by the declaration) and its controls, which `control` makes
// by their declared object names.
QToolBar* BuildToolBar(QMainWindow& window, const CommandSet& commands,
                       const std::function<QWidget*(const QString& name, QToolBar& bar)>& control);

}  // namespace kadr::editor
