#pragma once

#include <chrono>

#include "device/native_handle.h"

namespace kadr::cli {

// The user's request to stop (SIGINT and SIGTERM; Ctrl+C, Ctrl+Break and closing the console
// on Windows) as something to wait on instead of an asynchronous handler: a readable
// descriptor on POSIX systems, where both signals are blocked in the calling thread (and so in
// every thread started after it) for the object's life; a manual-reset event on Windows, which
// another program may also set by its name (device/stop_request.h).
class StopSignals {
  public:
    using NativeHandle = kadr::NativeHandle;

    StopSignals();  // throws std::system_error
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    NativeHandle Native() const { return handle_; }
    // Waits up to `limit` for a pending request, without taking it.
    bool WaitFor(std::chrono::milliseconds limit) const;
    // Takes one pending request; true when there was one.
    bool Take();

  private:
    NativeHandle handle_;
};

// Whether stderr is a terminal (a console on Windows), where a progress bar makes sense.
bool StderrIsTerminal();

}  // namespace kadr::cli
