#pragma once

#include <QList>
#include <QObject>

class QAction;
class QWidget;

namespace kadr::editor {

// Text boxes claim keys such as Del, Ins, Shift+Ins or Ctrl+Z for themselves before a window
// shortcut sees them. The window's commands must work whichever control has the focus, so in a
// watched widget the keys of those commands are left to the shortcuts.
class ShortcutPassage : public QObject {
    Q_OBJECT

  public:
    ShortcutPassage(QList<QAction*> commands, QObject* parent);
    // Watches the widget and every widget inside it (a spin box's text field, for instance).
    void Watch(QWidget* widget);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QList<QAction*> commands_;
};

}  // namespace kadr::editor
