#pragma once

#include <optional>
#include <string>

#include <QStringList>

namespace kadr::editor {

// What the editor says when its command line ends the run, and the exit status.
struct CommandLineAnswer {
    int exitCode = 0;
    std::string out;  // for stdout
    std::string err;  // for stderr
};

// `words` is the whole command line, program name first; nothing comes back when the editor
// should start.

// `kadropisets --help` and `--version`, answered before the application object exists, so that
// they work without a display.
std::optional<CommandLineAnswer> AnswerInformationRequest(const QStringList& words);

// Before the application object exists, too: Qt would end the run for want of a display before
// the editor's own check. Qt's own options (-platform NAME, -style=NAME, --reverse, X11's
// -display HOST:N, ...) are passed over with their values, for Qt to take; the rest must be one
// optional file. An unknown option, a Qt option without its value or a second file ends the run
// with the reason and the usage on stderr and exit status 2.
std::optional<CommandLineAnswer> CheckWordsBeforeStart(const QStringList& words);

// The same check once the application object has taken Qt's own options out of the command
// line, for those of them that Qt leaves where they mean nothing (X11's on Windows).
std::optional<CommandLineAnswer> CheckStartArguments(const QStringList& words);

}  // namespace kadr::editor
