#pragma once

#include "device/native_handle.h"

namespace kadr {

// A manual-reset event shared by the serial component and its worker threads: once set it
// stays set, so every wait that includes Native() ends at once, on any thread, until the event
// is destroyed. An eventfd on POSIX systems, an event object on Windows.
class ShutdownEvent {
  public:
    using NativeHandle = kadr::NativeHandle;

    // Throws std::system_error when the event cannot be created.
    ShutdownEvent();
    ~ShutdownEvent();
    ShutdownEvent(const ShutdownEvent&) = delete;
    ShutdownEvent& operator=(const ShutdownEvent&) = delete;

    void Set();
    bool IsSet() const;
    NativeHandle Native() const { return handle_; }

  private:
    NativeHandle handle_;
};

}  // namespace kadr
