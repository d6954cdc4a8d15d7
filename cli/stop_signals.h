#pragma once

#include <chrono>

namespace kadr::cli {

// SIGINT and SIGTERM as a readable descriptor instead of an asynchronous handler. Blocks both
// signals in the calling thread (and so in every thread started after it) for the object's
// life.
class StopSignals {
  public:
    StopSignals();  // throws std::system_error
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    int Fd() const { return fd_; }
    // Waits up to `limit` for a pending signal, without taking it.
    bool WaitFor(std::chrono::milliseconds limit) const;
    // Takes one pending signal off the descriptor; true when there was one.
    bool Take();

  private:
    int fd_;
};

}  // namespace kadr::cli
