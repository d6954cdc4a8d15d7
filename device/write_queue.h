#pragma once

#include <deque>
#include <mutex>
#include <optional>

#include "device/comm_block.h"
#include "device/shutdown_event.h"

namespace kadr {

// What ended the writer's wait for its queue.
struct QueueWait {
    enum class Kind {
        Input,       // a block may be waiting: take it
        Shutdown,    // the shutdown event is set (it wins over input)
        Failed,      // error holds the system's error number
        Unexpected,  // the wait ended for no known reason; value says what it returned
    };
    Kind kind = Kind::Input;
    int error = 0;
    long value = 0;
};

// The writer thread's message queue: any thread posts blocks, the writer takes them in order
// and waits for input together with the shutdown event. Once closed (the writer has ended)
// posts are refused and whatever was queued is dropped. The queue exists before the writer
// runs, so a block posted right after the port opens is never lost.
class WriteQueue {
  public:
    WriteQueue();  // throws std::system_error
    ~WriteQueue();
    WriteQueue(const WriteQueue&) = delete;
    WriteQueue& operator=(const WriteQueue&) = delete;

    bool Post(CommBlock block);
    // Takes the next block without waiting; resets the input signal when there is none.
    std::optional<CommBlock> TryTake();
    void Close();
    // Waits without limit for new input or the shutdown event.
    QueueWait WaitForInput(const ShutdownEvent& shutdown) const;

  private:
    // The input signal, set by every post and reset under the lock when the queue is found
    // empty, so that a post after the reset signals again and no input is missed.
    void SignalInput();
    void ResetInput();

    std::mutex mutex_;
    std::deque<CommBlock> blocks_;
    bool closed_ = false;
    ShutdownEvent::NativeHandle input_;
};

}  // namespace kadr
