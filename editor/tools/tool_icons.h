#pragma once

#include <QIcon>

#include "frameset/drawing/tools.h"

namespace kadr::editor {

// The toolbar picture of a drawing tool, drawn here on a 16 x 16 grid.
QIcon ToolIcon(Tool tool);

}  // namespace kadr::editor
