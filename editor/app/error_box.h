#pragma once

#include <QString>

namespace kadr::editor {

// The message as the error box shows it: a "." is appended when the message is not empty and its
// last character sorts after "." (so "!", ",", ")" or "." end it as they are).
QString ErrorBoxText(const QString& message);

// The application's one error box: error icon, a single OK, the application's title. Modal over
// the active window; the program goes on once it is closed.
void ShowErrorBox(const QString& message);

// Shows the exception being handled in the error box. Only inside a catch block.
void ReportCurrentException() noexcept;

// Runs a command to its end; an exception that ends it early reaches the error box and goes no
// further. What the command had changed before stays changed.
template <typename Command>
void RunCommand(Command&& command) noexcept {
    try {
        command();
    } catch (...) {
        ReportCurrentException();
    }
}

}  // namespace kadr::editor
