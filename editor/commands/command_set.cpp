#include "editor/commands/command_set.h"

#include <map>

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "editor/commands/command_declarations.h"
#include "editor/commands/image_list.h"
#include "editor/tools/tool_icons.h"

namespace kadr::editor {
namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

QAction* MakeAction(const CommandDeclaration& declared, QObject* owner) {
    auto* action = new QAction(Utf8(declared.caption), owner);
    action->setObjectName(Utf8(declared.name));
    action->setToolTip(Utf8(declared.hint));
    if (declared.also.isEmpty()) {
        action->setShortcut(declared.shortcut);
    } else {
        action->setShortcuts({declared.shortcut, declared.also});
    }
    action->setProperty("imageIndex", declared.image);
    if (declared.image >= 0) {
        action->setIcon(image_list::Icon(declared.image));
    }
    if (declared.tool >= 0) {
        action->setIcon(ToolIcon(static_cast<Tool>(declared.tool)));
    }
    action->setCheckable(declared.checkable);
    return action;
}

// The item of `menu` that a command declared after `name` goes before; null: the end.
QAction* ItemAfter(const QMenu& menu, const char* name) {
    const QList<QAction*> items = menu.actions();
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i]->objectName() == Utf8(name)) {
            return i + 1 < items.size() ? items[i + 1] : nullptr;
        }
    }
    return nullptr;
}

}  // namespace

CommandSet::CommandSet(QMainWindow& window) : window_(window) {
    std::map<std::string, QActionGroup*> groups;
    for (const CommandDeclaration& declared : CommandDeclarations()) {
        if (declared.widget) {
            continue;
        }
        QAction* action = MakeAction(declared, &window);
        if (declared.group != nullptr) {
            QActionGroup*& group = groups[declared.group];
            if (group == nullptr) {
                group = new QActionGroup(&window);
                group->setExclusive(true);
            }
            group->addAction(action);
        }
        switch (declared.reach) {
            case Reach::Menu:
                break;
            case Reach::Everywhere:
                everywhere_.append(action);
                window.addAction(action);
                break;
            case Reach::Window:
                window.addAction(action);
                break;
            case Reach::FrameGrid:
                action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
                frameGrid_.append(action);
                break;
        }
    }
}

QAction* CommandSet::Command(const QString& name) const {
    const auto actions = window_.findChildren<QAction*>(name, Qt::FindDirectChildrenOnly);
    return actions.isEmpty() ? nullptr : actions.first();
}

void CommandSet::UpdateEnabled(const Document& document) const {
    for (const CommandDeclaration& declared : CommandDeclarations()) {
        if (declared.enabled != nullptr) {
            Command(Utf8(declared.name))->setEnabled(declared.enabled(document));
        }
    }
}

QMenu* FindMenu(const QMainWindow& window, const QString& name) {
    return window.findChild<QMenu*>(name, Qt::FindDirectChildrenOnly);
}

void BuildMenus(QMainWindow& window, const CommandSet& commands) {
    QMenuBar* bar = window.menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuDeclaration& declared : MenuDeclarations()) {
        auto* menu = new QMenu(&window);
        menu->setObjectName(Utf8(declared.name));
        if (declared.caption != nullptr) {
            menu->setTitle(Utf8(declared.caption));
            bar->addMenu(menu);
        }
    }
    for (const CommandDeclaration& declared : CommandDeclarations()) {
        if (declared.menu == nullptr) {
            continue;
        }
        QMenu* menu = FindMenu(window, Utf8(declared.menu));
        QAction* before = declared.after != nullptr ? ItemAfter(*menu, declared.after) : nullptr;
        if (declared.menuGap) {
            menu->insertSeparator(before);
        }
        menu->insertAction(before, commands.Command(Utf8(declared.name)));
    }
}

QToolBar* BuildToolBar(QMainWindow& window, const CommandSet& commands,
                       const std::function<QWidget*(const QString& name, QToolBar& bar)>& control) {
    auto* bar = new QToolBar(&window);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    for (const CommandDeclaration& declared : CommandDeclarations()) {
        if (declared.button == nullptr) {
            continue;
        }
        if (declared.buttonGap) {
            bar->addSeparator();
        }
        if (declared.widget) {
            bar->addWidget(control(Utf8(declared.name), *bar));
            continue;
        }
        QAction* action = commands.Command(Utf8(declared.name));
        bar->addAction(action);
        bar->widgetForAction(action)->setObjectName(Utf8(declared.button));
    }
    window.addToolBar(Qt::TopToolBarArea, bar);
    return bar;
}

}  // namespace kadr::editor
