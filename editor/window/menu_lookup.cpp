#include "editor/window/menu_lookup.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace kadr::editor {

QMenu* MenuTitled(QMenuBar& bar, const QString& title) {
    for (QAction* item : bar.actions()) {
        if (item->menu() != nullptr && item->text() == title) {
            return item->menu();
        }
    }
    return nullptr;
}

QMenu* ViewMenu(QMenuBar& bar) {
    const QString title = QStringLiteral("&Вид");
    if (QMenu* view = MenuTitled(bar, title)) {
        return view;
    }
    auto* view = new QMenu(title, &bar);
    view->setObjectName(QStringLiteral("ViewMenu"));
    QMenu* help = MenuTitled(bar, QStringLiteral("По&мощь"));
    bar.insertMenu(help != nullptr ? help->menuAction() : nullptr, view);
    return view;
}

}  // namespace kadr::editor
