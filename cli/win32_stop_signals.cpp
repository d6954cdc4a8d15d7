#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <system_error>

#include "cli/stop_signals.h"
#include "device/stop_request.h"

namespace kadr::cli {
namespace {

// The console's control handler runs on a thread of its own; it only sets the event.
std::atomic<HANDLE> stopEvent{nullptr};

BOOL WINAPI OnConsoleControl(DWORD type) {
    switch (type) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
            if (HANDLE event = stopEvent.load(); event != nullptr) {
                SetEvent(event);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

// Named, so that a program that started this one without a console (the editor's schedule) can
// ask it to stop too.
StopSignals::StopSignals()
    : handle_(CreateEventA(nullptr, TRUE, FALSE, StopEventName(GetCurrentProcessId()).c_str())) {
    if (handle_ == nullptr) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "CreateEventA");
    }
    stopEvent = handle_;
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

StopSignals::~StopSignals() {
    SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    stopEvent = nullptr;
    CloseHandle(handle_);
}

bool StopSignals::WaitFor(std::chrono::milliseconds limit) const {
    return WaitForSingleObject(handle_, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

bool StopSignals::Take() {
    const bool pending = WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0;
    ResetEvent(handle_);
    return pending;
}

bool StderrIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

}  // namespace kadr::cli
