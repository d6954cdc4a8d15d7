#pragma once

namespace kadr {

// A manual-reset event shared by the serial component and its worker threads: once set it
// stays set, so every wait that includes Native() ends at once, on any thread, until the event
// is destroyed. An eventfd on POSIX systems, an event object on Windows.
class ShutdownEvent {
  public:
#if defined(_WIN32)
    using NativeHandle = void*;  // HANDLE
#else
    using NativeHandle = int;  // file descriptor
#endif

    // Throws std::system_error when the event cannot be created.
    ShutdownEvent();
    ~ShutdownEvent();
    ShutdownEvent(const ShutdownEvent&) = delete;
    ShutdownEvent& operator=(const ShutdownEvent&) = delete;

    void Set();
    bool IsSet() const;
    NativeHandle Native() const {
        return handle_;
    }

  private:
    NativeHandle handle_;
};

}  // namespace kadr
