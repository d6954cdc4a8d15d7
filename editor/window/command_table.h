#pragma once

#include <QList>

class QAction;
class QObject;

namespace kadr::editor {

// Every command of the main window with its caption, hint (tooltip), shortcut and
// picture. The picture's index in the image list is kept as the action's "imageIndex" property.
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

    // The commands whose shortcuts work whichever control of the window has the focus.
    QList<QAction*> WindowWide() const;
    QList<QAction*> FrameKinds() const { return {mnAnim, mnBegStr, mnStr, mnEndStr}; }
};

Commands CreateCommands(QObject* owner);

}  // namespace kadr::editor
