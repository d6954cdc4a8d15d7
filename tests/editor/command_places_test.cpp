// The menus and the toolbar as built from the command declarations: every declared command in
// its declared place, and the original menus, kind menu and toolbar in their original order.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "editor/commands/command_declarations.h"
#include "editor/commands/command_set.h"
#include "editor_window_fixture.h"

namespace kadr::editor::testing {
namespace {

class CommandPlacesTest : public EditorWindowTest {
  protected:
    // A menu's items as object names, "|" for a separator.
    static QStringList Items(const QMenu& menu) {
        QStringList items;
        for (const QAction* item : menu.actions()) {
            items << (item->isSeparator() ? QStringLiteral("|") : item->objectName());
        }
        return items;
    }
    // As Items, by caption.
    static QStringList Captions(const QMenu& menu) {
        QStringList items;
        for (const QAction* item : menu.actions()) {
            items << (item->isSeparator() ? QStringLiteral("|") : item->text());
        }
        return items;
    }
    QMenu& Menu(const char* name) const {
        QMenu* menu = FindMenu(*window_, QString::fromLatin1(name));
        EXPECT_NE(menu, nullptr) << name;
        return *menu;
    }
    QStringList ToolBarItems() const {
        QStringList items;
        auto* bar = window_->findChild<QToolBar*>(QStringLiteral("ToolBar1"));
        for (QAction* action : bar->actions()) {
            items << (action->isSeparator() ? QStringLiteral("|")
                                            : bar->widgetForAction(action)->objectName());
        }
        return items;
    }
    static QStringList Prefix(const QStringList& items, qsizetype count) {
        return items.mid(0, count);
    }
};

TEST_F(CommandPlacesTest, EveryDeclaredCommandStandsInItsDeclaredPlace) {
    const auto& declarations = CommandDeclarations();
    for (std::size_t i = 0; i < declarations.size(); ++i) {
        const CommandDeclaration& declared = declarations[i];
        const QString name = QString::fromLatin1(declared.name);
        SCOPED_TRACE(name.toStdString());
        if (declared.widget) {
            EXPECT_TRUE(ToolBarItems().contains(name));
            continue;
        }
        QAction* action = window_->Command(name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(declared.caption));
        EXPECT_EQ(action->shortcut(), declared.shortcut);
        EXPECT_EQ(action->shortcuts().value(1), declared.also);
        if (declared.menu == nullptr) {
            for (QMenu* menu : window_->findChildren<QMenu*>()) {
                EXPECT_FALSE(menu->actions().contains(action)) << "in no menu";
            }
        } else {
            const QStringList items = Items(Menu(declared.menu));
            const qsizetype at = items.indexOf(name);
            ASSERT_GE(at, 0) << "in menu " << declared.menu;
            EXPECT_EQ(declared.menuGap, at > 0 && items[at - 1] == QStringLiteral("|"));
            if (declared.after != nullptr) {
                const qsizetype previous = items.indexOf(QString::fromLatin1(declared.after));
                EXPECT_EQ(previous, at - (declared.menuGap ? 2 : 1)) << "after " << declared.after;
            }
            // Declared later in the same menu, without a place of its own: further down.
            for (std::size_t j = i + 1; j < declarations.size(); ++j) {
                const CommandDeclaration& later = declarations[j];
                if (later.menu != nullptr && QString::fromLatin1(later.menu) == declared.menu &&
                    later.after == nullptr) {
                    EXPECT_GT(items.indexOf(QString::fromLatin1(later.name)), at) << later.name;
                }
            }
        }
        if (declared.button != nullptr) {
            const QStringList buttons = ToolBarItems();
            const qsizetype at = buttons.indexOf(QString::fromLatin1(declared.button));
            ASSERT_GE(at, 0) << "on the toolbar";
            EXPECT_EQ(declared.buttonGap, at > 0 && buttons[at - 1] == QStringLiteral("|"));
        }
    }
}

TEST_F(CommandPlacesTest, TheToolbarKeepsTheDeclarationOrder) {
    QStringList declared;
    for (const CommandDeclaration& command : CommandDeclarations()) {
        if (command.button != nullptr) {
            if (command.buttonGap) {
                declared << QStringLiteral("|");
            }
            declared << QString::fromLatin1(command.button);
        }
    }
    EXPECT_EQ(ToolBarItems(), declared);
}

TEST_F(CommandPlacesTest, TheOriginalMenusAndToolbarKeepTheirOrder) {
    QStringList bar;
    for (QAction* item : window_->menuBar()->actions()) {
        bar << item->text();
    }
    // The original menus in their order; others may stand between them, none before "&Файл".
    const QStringList original{"&Файл", "&Правка", "П&араметры", "По&мощь"};
    qsizetype last = -1;
    for (const QString& title : original) {
        const qsizetype at = bar.indexOf(title);
        EXPECT_GT(at, last) << title.toStdString();
        last = at;
    }
    EXPECT_EQ(bar.first(), QStringLiteral("&Файл"));

    const QStringList file{"&Новый...",         "|", "&Открыть...", "|", "&Сохранить",
                           "Сох&ранить как...", "|", "В&ыход"};
    EXPECT_EQ(Prefix(Captions(Menu(kFileMenu)), file.size()), file);
    const QStringList edit{"Копировать", "Вставить", "|",        "Назад",      "Вперёд",
                           "|",          "Добавить", "Очистить", "Раздвинуть", "Удалить"};
    EXPECT_EQ(Prefix(Captions(Menu(kEditMenu)), edit.size()), edit);
    const QStringList parameters{"Параметры порта...", "Параметры анимации..."};
    EXPECT_EQ(Prefix(Captions(Menu(kParametersMenu)), parameters.size()), parameters);
    EXPECT_EQ(Captions(Menu(kHelpMenu)).first(), QStringLiteral("О программе..."));
    const QStringList kinds{"Анимация", "Начало бегущей строки", "Бегущая строка",
                            "Конец бегущей строки"};
    EXPECT_EQ(Prefix(Captions(Menu(kFrameKindMenu)), kinds.size()), kinds);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(Menu(kFrameKindMenu).actions()[k]->shortcut(),
                  QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_1 + k)));
    }

    const QStringList toolbar{
        "tbOpen",       "tbSave",        "|",          "tbCopy",       "tbPaste", "|",
        "tbMoveToLeft", "tbMoveToRight", "tbMoveToUp", "tbMoveToDown", "|",       "tbDouble",
        "tbClear",      "tbInsert",      "|",          "tbDelete",     "|",       "cbMashtab"};
    EXPECT_EQ(Prefix(ToolBarItems(), toolbar.size()), toolbar);

    // The original shortcuts.
    const std::vector<std::pair<const char*, QKeySequence>> keys{
        {"acOpen", Qt::Key_F3},
        {"acSave", Qt::Key_F2},
        {"acExit", Qt::ALT | Qt::Key_X},
        {"acCopy", Qt::CTRL | Qt::Key_Insert},
        {"acPaste", Qt::SHIFT | Qt::Key_Insert},
        {"acUndo", Qt::CTRL | Qt::Key_Z},
        {"acRedo", Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
        {"acAdd", Qt::Key_Insert},
        {"acClear", Qt::Key_Delete},
        {"acDelete", Qt::CTRL | Qt::Key_Delete},
    };
    for (const auto& [name, key] : keys) {
        EXPECT_EQ(window_->Command(QString::fromLatin1(name))->shortcut(), key) << name;
    }
}

TEST_F(CommandPlacesTest, MenusAreFoundByNameWhateverTheyAreCalled) {
    QMenu& edit = Menu(kEditMenu);
    edit.setTitle(QStringLiteral("Edit"));
    EXPECT_EQ(FindMenu(*window_, QString::fromLatin1(kEditMenu)), &edit);
    EXPECT_TRUE(Items(edit).contains(QStringLiteral("acInvert")));
    EXPECT_EQ(FindMenu(*window_, QStringLiteral("mnNoSuchMenu")), nullptr);
    EXPECT_EQ(window_->Command(QStringLiteral("acNoSuchCommand")), nullptr);
}

TEST_F(CommandPlacesTest, UndoAndRedoAreEnabledByTheirRules) {
    EXPECT_FALSE(window_->Command(QStringLiteral("acUndo"))->isEnabled());
    EXPECT_FALSE(window_->Command(QStringLiteral("acRedo"))->isEnabled());
    window_->Doc().Clear();
    EXPECT_TRUE(window_->Command(QStringLiteral("acUndo"))->isEnabled());
    window_->Doc().Undo();
    EXPECT_FALSE(window_->Command(QStringLiteral("acUndo"))->isEnabled());
    EXPECT_TRUE(window_->Command(QStringLiteral("acRedo"))->isEnabled());
    EXPECT_TRUE(window_->Command(QStringLiteral("acAdd"))->isEnabled()) << "no rule: always";
}

}  // namespace
}  // namespace kadr::editor::testing
