#pragma once

namespace kadr::editor {

// Where the editor's answers on its command line (--help, --version, a refusal) are printed.
// On Windows the editor is a window program, started without a console of its own even from
// cmd: it borrows the console of the program that started it, when there is one and its output
// goes nowhere else. One file a system: posix_console.cpp, win32_console.cpp.
void UseParentConsole();

}  // namespace kadr::editor
