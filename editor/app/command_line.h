#pragma once

#include <cstdio>
#include <optional>

#include <QStringList>

namespace kadr::editor {

// `kadropisets --help` and `--version`, answered on `out` before the application object exists,
// so that they work without a display. `words` is the whole command line, program name first.
// The exit status when the run ends here; nothing when the editor should start.
std::optional<int> AnswerInformationRequest(const QStringList& words, std::FILE* out);

// The command line once the application object has taken Qt's own options (-platform, -style,
// ...) out of it: one optional file. An unknown option or a second file ends the run with the
// reason and the usage on `err` and exit status 2.
std::optional<int> CheckStartArguments(const QStringList& words, std::FILE* err);

}  // namespace kadr::editor
