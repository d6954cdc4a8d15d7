#include <windows.h>

#include <system_error>

#include "device/shutdown_event.h"

namespace kadr {

ShutdownEvent::ShutdownEvent() : handle_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    if (handle_ == nullptr) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "CreateEventA");
    }
}

ShutdownEvent::~ShutdownEvent() {
    CloseHandle(handle_);
}

void ShutdownEvent::Set() {
    SetEvent(handle_);
}

bool ShutdownEvent::IsSet() const {
    return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0;
}

}  // namespace kadr
