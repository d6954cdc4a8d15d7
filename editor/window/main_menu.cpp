#include "editor/window/main_menu.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "editor/window/command_table.h"

namespace kadr::editor {

void CreateMainMenu(QMainWindow& window, const Commands& c) {
    QMenuBar* bar = window.menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = bar->addMenu(QStringLiteral("&Файл"));
    file->addAction(c.acNew);
    file->addSeparator();
    file->addAction(c.acOpen);
    file->addSeparator();
    file->addAction(c.acSave);
    file->addAction(c.acSaveAs);
    file->addSeparator();
    file->addAction(c.acExit);

    QMenu* edit = bar->addMenu(QStringLiteral("&Правка"));
    edit->addAction(c.acCopy);
    edit->addAction(c.acPaste);
    edit->addSeparator();
    edit->addAction(c.acUndo);
    edit->addAction(c.acRedo);
    edit->addSeparator();
    edit->addAction(c.acAdd);
    edit->addAction(c.acClear);
    edit->addAction(c.acInsert);
    edit->addAction(c.acDelete);
    edit->addSeparator();
    edit->addAction(c.acTextLine);

    QMenu* parameters = bar->addMenu(QStringLiteral("П&араметры"));
    parameters->addAction(c.N12);
    parameters->addAction(c.N13);

    QMenu* help = bar->addMenu(QStringLiteral("По&мощь"));
    help->addAction(c.N14);
}

}  // namespace kadr::editor
