#pragma once

#include <string>

#include <QString>

namespace kadr {

// The one spelling of a file name between Qt and the frame set, the picture reader and the
// command line: UTF-8 on every system. Qt's 8-bit file name form (QFile::encodeName) is the
// ANSI code page on Windows, where Cyrillic names do not survive, so it is never used.
inline std::string Utf8Path(const QString& path) {
    return path.toStdString();
}
inline QString QtPath(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace kadr
