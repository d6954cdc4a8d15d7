#pragma once

#include <QString>

class QProcess;

namespace kadr::editor {

// What running a schedule in the background needs of the system: one file a system,
// posix_schedule_platform.cpp and win32_schedule_platform.cpp.

// `kadr`, beside the editor's own executable.
QString KadrProgram();
// No console window comes up for the process when it starts.
void PrepareHidden(QProcess& process);
// Asks a running `kadr` to stop as Ctrl+C would: between uploads it ends at once, a running
// upload is aborted with the port closed.
void AskToStop(QProcess& process);

// Starting a schedule when the user logs on: a shortcut in the user's Startup folder on
// Windows; elsewhere not available (a systemd user unit does it on Linux, see the README).
bool StartAtLogonAvailable();
bool StartsAtLogon(const QString& schedule);
// Throws Error with the reason when the shortcut cannot be made or removed.
void SetStartAtLogon(const QString& schedule, bool on);

}  // namespace kadr::editor
