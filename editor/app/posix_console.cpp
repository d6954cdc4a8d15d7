#include "editor/app/console.h"

namespace kadr::editor {

// A program here always writes to the terminal or the pipe it was started with.
void UseParentConsole() {}

}  // namespace kadr::editor
