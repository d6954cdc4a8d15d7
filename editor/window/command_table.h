#pragma once

#include <QList>

class QAction;

namespace kadr::editor {

class CommandSet;

// The original commands of the main window by name, for the code that runs them; they are made
// and placed from their declarations (editor/commands/command_declarations.h).
struct Commands {
    QAction* acNew;
    QAction* acOpen;
    QAction* acSave;
    QAction* acSaveAs;
    QAction* acExit;
    QAction* acCopy;
    QAction* acPaste;
    QAction* acUndo;
    QAction* acRedo;
    QAction* acAdd;
    QAction* acClear;
    QAction* acInsert;
    QAction* acDelete;
    QAction* tbMoveToLeft;
    QAction* tbMoveToRight;
    QAction* tbMoveToUp;
    QAction* tbMoveToDown;
    // The frame kind menu of the grids; their shortcuts work while a grid has the focus.
    QAction* mnAnim;
    QAction* mnBegStr;
    QAction* mnStr;
    QAction* mnEndStr;
    // Puts a line of text into the set as a running line.
    QAction* acTextLine;
    QAction* N12;
    QAction* N13;
    QAction* N14;
};

Commands NamedCommands(const CommandSet& set);

}  // namespace kadr::editor
