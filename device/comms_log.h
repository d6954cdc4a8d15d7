#pragma once

#include <string>
#include <string_view>

namespace kadr {

// The serial component's optional diagnostic log: one file for the whole process, written by
// the main thread and both worker threads. Each call writes one whole line, never interleaved
// with another thread's.

// An empty name switches the log off. Takes effect for the next OpenCommsLog.
void SetCommsLogFileName(const std::string& name);
std::string CommsLogFileName();

// Creates the named file anew (an existing one is emptied). Throws FileError.
void OpenCommsLog();
void CloseCommsLog();

// Writes the line when the log is open; a closed or switched-off log takes nothing. Throws
// FileError when the write fails.
void LogLine(std::string_view text);
// prefix + GetLastError returned: "<system text>", or prefix + Out of memory without a text.
void LogError(int error, std::string_view prefix = {});
// The system's English text for its error number (errno on POSIX systems, GetLastError on
// Windows); the "FormatMessage failed on error" text when the system has none.
std::string FormatLastError(int error);
// Developer output that never reaches the log: the debugger's output on Windows, stderr when
// KADR_COMM_DEBUG is set elsewhere.
void DebugOutput(std::string_view text);

}  // namespace kadr
