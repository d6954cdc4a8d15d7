#include "editor/window/shortcut_passage.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

namespace kadr::editor {

ShortcutPassage::ShortcutPassage(QList<QAction*> commands, QObject* parent)
    : QObject(parent), commands_(std::move(commands)) {}

void ShortcutPassage::Watch(QWidget* widget) {
    widget->installEventFilter(this);
    for (QWidget* inner : widget->findChildren<QWidget*>()) {
        inner->installEventFilter(this);
    }
}

bool ShortcutPassage::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(
        QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    for (const QAction* command : commands_) {
        if (!command->shortcut().isEmpty() && command->shortcut() == pressed) {
            // Swallowed unaccepted: the widget does not claim the key, the shortcut runs.
            return true;
        }
    }
    return false;
}

}  // namespace kadr::editor
