#include "device/write_queue.h"

namespace kadr {

bool WriteQueue::Post(CommBlock block) {
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return false;
        }
        blocks_.push_back(std::move(block));
    }
    SignalInput();
    return true;
}

std::optional<CommBlock> WriteQueue::TryTake() {
    std::lock_guard lock(mutex_);
    if (blocks_.empty()) {
        ResetInput();
        return std::nullopt;
    }
    CommBlock block = std::move(blocks_.front());
    blocks_.pop_front();
    return block;
}

void WriteQueue::Close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    blocks_.clear();
}

}  // namespace kadr
