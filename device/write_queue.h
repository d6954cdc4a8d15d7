#pragma once

#include <deque>
#include <mutex>
#include <optional>

#include "device/comm_block.h"

namespace kadr {

// The writer thread's message queue: any thread posts blocks, the writer takes them in order.
// Fd() becomes readable when input arrives. Once closed (the writer has ended) posts are
// refused and whatever was queued is dropped.
class WriteQueue {
  public:
    WriteQueue();  // throws std::system_error
    ~WriteQueue();
    WriteQueue(const WriteQueue&) = delete;
    WriteQueue& operator=(const WriteQueue&) = delete;

    bool Post(CommBlock block);
    // Takes the next block without waiting; empties the wake-up counter when there is none.
    std::optional<CommBlock> TryTake();
    void Close();
    int Fd() const { return fd_; }

  private:
    std::mutex mutex_;
    std::deque<CommBlock> blocks_;
    bool closed_ = false;
    int fd_;
};

}  // namespace kadr
