#pragma once

namespace kadr {

// A manual-reset event made of an eventfd: once set it stays readable, so every poll that
// includes Fd() wakes at once, on any thread, until the event is destroyed.
class ShutdownEvent {
  public:
    // Throws std::system_error when the descriptor cannot be created.
    ShutdownEvent();
    ~ShutdownEvent();
    ShutdownEvent(const ShutdownEvent&) = delete;
    ShutdownEvent& operator=(const ShutdownEvent&) = delete;

    void Set();
    bool IsSet() const;
    int Fd() const { return fd_; }

  private:
    int fd_;
};

}  // namespace kadr
