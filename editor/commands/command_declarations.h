#pragma once

// How to add a command to the main window
//
// 1. Declare it: one entry in the table in command_declarations.cpp, at the end of the entries of
//    its menu (the original commands keep their order, captions, shortcuts and places; new ones
//    come after them). The entry gives the action's object name (`acSomething`), the caption in
//    Russian in the style of the others ("Сообщения..." for one that opens a dialog), the hint,
//    the shortcut, the picture, where its shortcut works (`Reach`), when it is enabled, and its
//    places: the menu's object name (`kFileMenu`...), the item it follows (`after`, an object
//    name; empty: the menu's end), a separator before it, and its toolbar button's object name
//    if it has one. The menus, the toolbar and the window's shortcuts are built from the table;
//    nothing is ever found by its caption.
// 2. Give it its handler where the feature lives: `window.Command("acSomething")` is the action;
//    connect its `triggered` signal. An edit of the document goes through `window.PerformEdit`
//    (errors in the error box, a refusal in the status bar); the strip, the caption, the undo
//    actions, the status bar and the preview follow the document's change notification by
//    themselves, so a handler never repaints or rebuilds anything.
// 3. tests/editor/command_places_test.cpp walks the menus and the toolbar and compares them with
//    the table and with the original order of every menu; a new command needs nothing there.

#include <vector>

#include <QKeySequence>

namespace kadr {
class Document;
}

namespace kadr::editor {

// The menus of the main window by object name, and the grids' kind menu.
inline constexpr const char* kFileMenu = "mnFile";
inline constexpr const char* kEditMenu = "mnEdit";
inline constexpr const char* kParametersMenu = "mnParameters";
inline constexpr const char* kViewMenu = "mnView";
inline constexpr const char* kHelpMenu = "mnHelp";
inline constexpr const char* kFrameKindMenu = "PopupMenu2";

struct MenuDeclaration {
    const char* name;
    const char* caption;  // UTF-8; nullptr for a menu that is not on the menu bar
};

// Where a command's shortcut works.
enum class Reach {
    Menu,        // only through its menu or button
    Window,      // anywhere in the window, unless the focused control takes the keys itself
    Everywhere,  // anywhere in the window, the speed boxes included, which leave the keys to it
    FrameGrid,   // while a grid of the strip has the focus
};

struct CommandDeclaration {
    const char* name;          // the action's object name
    const char* caption = "";  // UTF-8; '&' marks the menu accelerator
    const char* hint = "";     // the tooltip (UTF-8)
    QKeySequence shortcut = {};
    QKeySequence also = {};  // the desktop's usual key for it besides the one above, if any
    int image = -1;          // the picture's index in the image list, -1 none
    int tool = -1;           // a drawing tool's picture (kadr::Tool), -1 none
    Reach reach = Reach::Menu;
    bool checkable = false;
    const char* group = nullptr;                 // an exclusive group of checkable commands
    bool (*enabled)(const Document&) = nullptr;  // nullptr: always enabled
    const char* menu = nullptr;                  // the object name of its menu, nullptr none
    const char* after = nullptr;   // the item it follows there; nullptr: the menu's end
    bool menuGap = false;          // a separator before it in the menu
    const char* button = nullptr;  // its toolbar button's object name, nullptr none
    bool buttonGap = false;        // a separator before the button
    bool widget = false;           // a control the window makes (the scale list), not an action
};

// In menu bar order, then the menus that pop up elsewhere.
const std::vector<MenuDeclaration>& MenuDeclarations();
// In toolbar order; each menu's commands in their menu's order unless `after` says otherwise.
const std::vector<CommandDeclaration>& CommandDeclarations();
// The declaration of the command of that object name, nullptr when none has it.
const CommandDeclaration* FindDeclaration(const char* name);

}  // namespace kadr::editor
