#pragma once

#include <QString>

namespace kadr::editor {

// Captions the application's error box.
inline QString ApplicationTitle() {
    return QStringLiteral("Кадрописец");
}

}  // namespace kadr::editor
