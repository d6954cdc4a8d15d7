#include "device/write_queue.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

namespace kadr {

WriteQueue::WriteQueue() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (fd_ < 0) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
}

WriteQueue::~WriteQueue() {
    close(fd_);
}

bool WriteQueue::Post(CommBlock block) {
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return false;
        }
        blocks_.push_back(std::move(block));
    }
    const std::uint64_t one = 1;
    while (write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
    }
    return true;
}

std::optional<CommBlock> WriteQueue::TryTake() {
    std::lock_guard lock(mutex_);
    if (blocks_.empty()) {
        // Reset under the lock: a post after this point signals again, so no input is missed.
        std::uint64_t counter = 0;
        while (read(fd_, &counter, sizeof counter) < 0 && errno == EINTR) {
        }
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
