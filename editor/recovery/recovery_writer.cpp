#include "editor/recovery/recovery_writer.h"

#include <utility>

namespace kadr::editor {

RecoveryWriter::RecoveryWriter(WriteFn write, RemoveFn remove)
    : write_(std::move(write)), remove_(std::move(remove)), thread_([this] { Run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void RecoveryWriter::Submit(std::vector<std::uint8_t> bytes) {
    {
        const std::lock_guard lock(mutex_);
        pending_ = std::move(bytes);
    }
    wake_.notify_one();
}

void RecoveryWriter::Remove() {
    {
        const std::lock_guard lock(mutex_);
        pending_.emplace();
    }
    wake_.notify_one();
}

void RecoveryWriter::Flush() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !pending_ && !busy_; });
}

int RecoveryWriter::Written() const {
    const std::lock_guard lock(mutex_);
    return written_;
}

int RecoveryWriter::Failed() const {
    const std::lock_guard lock(mutex_);
    return failed_;
}

void RecoveryWriter::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_) {
            return;  // stopping with nothing left to do
        }
        std::vector<std::uint8_t> bytes = std::move(*pending_);
        pending_.reset();
        busy_ = true;
        lock.unlock();
        bool ok = true;
        if (bytes.empty()) {
            remove_();
        } else {
            ok = write_(bytes);
        }
        lock.lock();
        busy_ = false;
        if (!bytes.empty()) {
            ++(ok ? written_ : failed_);
        }
        if (!pending_) {
            idle_.notify_all();
        }
    }
}

}  // namespace kadr::editor
