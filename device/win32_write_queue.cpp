#include <windows.h>

#include <system_error>

#include "device/write_queue.h"

namespace kadr {

// A manual-reset event rather than the writer's thread message queue: it exists as soon as
// the component has opened the port, before the writer runs, and blocks left in it when the
// port closes are freed with the queue.
WriteQueue::WriteQueue() : input_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    if (input_ == nullptr) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "CreateEventA");
    }
}

WriteQueue::~WriteQueue() {
    CloseHandle(input_);
}

void WriteQueue::SignalInput() {
    SetEvent(input_);
}

void WriteQueue::ResetInput() {
    ResetEvent(input_);
}

QueueWait WriteQueue::WaitForInput(const ShutdownEvent& shutdown) const {
    HANDLE handles[2] = {shutdown.Native(), input_};
    // The first signalled handle in the array is reported, so shutdown wins over input.
    const DWORD result = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    switch (result) {
        case WAIT_OBJECT_0:
            return {QueueWait::Kind::Shutdown, 0, 0};
        case WAIT_OBJECT_0 + 1:
            return {QueueWait::Kind::Input, 0, 0};
        case WAIT_FAILED:
            return {QueueWait::Kind::Failed, static_cast<int>(GetLastError()), 0};
        default:
            return {QueueWait::Kind::Unexpected, 0, static_cast<long>(result)};
    }
}

}  // namespace kadr
