#include "editor/window/command_table.h"

#include <QAction>

#include "editor/window/image_list.h"

namespace kadr::editor {
namespace {

constexpr int kNoImage = -1;

QAction* Make(QObject* owner, const char* name, const QString& caption, const QString& hint,
              const QKeySequence& shortcut, int image) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(hint);
    action->setShortcut(shortcut);
    action->setProperty("imageIndex", image);
    if (image != kNoImage) {
        action->setIcon(image_list::Icon(image));
    }
    return action;
}

// Commands whose caption doubles as their hint.
QAction* Make(QObject* owner, const char* name, const QString& caption,
              const QKeySequence& shortcut, int image) {
    return Make(owner, name, caption, caption, shortcut, image);
}

QAction* MenuOnly(QObject* owner, const char* name, const QString& caption,
                  const QKeySequence& shortcut = {}) {
    return Make(owner, name, caption, QString(), shortcut, kNoImage);
}

}  // namespace

QList<QAction*> Commands::WindowWide() const {
    return {acNew,    acOpen,       acSave,        acSaveAs,   acExit,      acCopy,
            acPaste,  acUndo,       acRedo,        acAdd,      acClear,     acInsert,
            acDelete, tbMoveToLeft, tbMoveToRight, tbMoveToUp, tbMoveToDown};
}

Commands CreateCommands(QObject* owner) {
    Commands c{};
    c.acNew = Make(owner, "acNew", "&Новый...", "Новый...", {}, 0);
    c.acOpen = Make(owner, "acOpen", "&Открыть...", "Открыть...", Qt::Key_F3, 1);
    c.acSave = Make(owner, "acSave", "&Сохранить", "Сохранить", Qt::Key_F2, 2);
    c.acSaveAs = Make(owner, "acSaveAs", "Сох&ранить как...", "Сохранить как...", {}, 7);
    c.acExit = Make(owner, "acExit", "В&ыход", "Выход", Qt::ALT | Qt::Key_X, 8);
    c.acCopy = Make(owner, "acCopy", "Копировать", Qt::CTRL | Qt::Key_Insert, 3);
    c.acPaste = Make(owner, "acPaste", "Вставить", Qt::SHIFT | Qt::Key_Insert, 4);
    c.acUndo = Make(owner, "acUndo", "Назад", Qt::CTRL | Qt::Key_Z, 15);
    c.acRedo = Make(owner, "acRedo", "Вперёд", Qt::CTRL | Qt::SHIFT | Qt::Key_Z, 16);
    c.acAdd = Make(owner, "acAdd", "Добавить", Qt::Key_Insert, 5);
    c.acClear = Make(owner, "acClear", "Очистить", Qt::Key_Delete, 9);
    c.acInsert = Make(owner, "acInsert", "Раздвинуть", {}, 10);
    c.acDelete = Make(owner, "acDelete", "Удалить", Qt::CTRL | Qt::Key_Delete, 6);
    c.tbMoveToLeft = Make(owner, "tbMoveToLeft", "Сдвиг влево", {}, 11);
    c.tbMoveToRight = Make(owner, "tbMoveToRight", "Сдвиг вправо", {}, 12);
    c.tbMoveToUp = Make(owner, "tbMoveToUp", "Сдвиг вверх", {}, 13);
    c.tbMoveToDown = Make(owner, "tbMoveToDown", "Сдвиг вниз", {}, 14);
    c.mnAnim = MenuOnly(owner, "mnAnim", "Анимация", Qt::ALT | Qt::Key_1);
    c.mnBegStr = MenuOnly(owner, "mnBegStr", "Начало бегущей строки", Qt::ALT | Qt::Key_2);
    c.mnStr = MenuOnly(owner, "mnStr", "Бегущая строка", Qt::ALT | Qt::Key_3);
    c.mnEndStr = MenuOnly(owner, "mnEndStr", "Конец бегущей строки", Qt::ALT | Qt::Key_4);
    c.acTextLine = MenuOnly(owner, "acTextLine", "Бегущая строка из текста...");
    c.N12 = MenuOnly(owner, "N12", "Параметры порта...");
    c.N13 = MenuOnly(owner, "N13", "Параметры анимации...");
    c.N14 = MenuOnly(owner, "N14", "О программе...");
    for (QAction* kind : c.FrameKinds()) {
        kind->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
    // Both start disabled; the undo history enables them.
    c.acUndo->setEnabled(false);
    c.acRedo->setEnabled(false);
    return c;
}

}  // namespace kadr::editor
