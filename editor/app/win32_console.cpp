#include <windows.h>

#include <cstdio>

#include "editor/app/console.h"

namespace kadr::editor {
namespace {

// A handle given by the starter (a file or a pipe of `kadropisets --version > v.txt`) is where
// the output belongs; a window program started from a console window has none.
bool Given(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}  // namespace

void UseParentConsole() {
    const bool out = Given(STD_OUTPUT_HANDLE);
    const bool err = Given(STD_ERROR_HANDLE);
    if ((out && err) || !AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    if (!out) {
        std::freopen("CONOUT$", "w", stdout);
    }
    if (!err) {
        std::freopen("CONOUT$", "w", stderr);
    }
}

}  // namespace kadr::editor
