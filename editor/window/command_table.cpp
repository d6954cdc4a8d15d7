#include "editor/window/command_table.h"

#include "editor/commands/command_set.h"

namespace kadr::editor {

Commands NamedCommands(const CommandSet& set) {
    const auto named = [&set](const char* name) { return set.Command(QString::fromLatin1(name)); };
    Commands c{};
    c.acNew = named("acNew");
    c.acOpen = named("acOpen");
    c.acSave = named("acSave");
    c.acSaveAs = named("acSaveAs");
    c.acExit = named("acExit");
    c.acCopy = named("acCopy");
    c.acPaste = named("acPaste");
    c.acUndo = named("acUndo");
    c.acRedo = named("acRedo");
    c.acAdd = named("acAdd");
    c.acClear = named("acClear");
    c.acInsert = named("acInsert");
    c.acDelete = named("acDelete");
    c.tbMoveToLeft = named("tbMoveToLeft");
    c.tbMoveToRight = named("tbMoveToRight");
    c.tbMoveToUp = named("tbMoveToUp");
    c.tbMoveToDown = named("tbMoveToDown");
    c.mnAnim = named("mnAnim");
    c.mnBegStr = named("mnBegStr");
    c.mnStr = named("mnStr");
    c.mnEndStr = named("mnEndStr");
    c.acTextLine = named("acTextLine");
    c.N12 = named("N12");
    c.N13 = named("N13");
    c.N14 = named("N14");
    return c;
}

}  // namespace kadr::editor
