#include "device/write_thread.h"

#include <exception>
#include <string>

#include "device/comm_log_lines.h"
#include "device/comms_log.h"

namespace kadr {

void TWriteThread::Run() {
    try {
        Serve();
        LogLine("Write thread shutting down");
    } catch (const std::exception&) {
        RequestHangup();  // the log could not be written
    }
    queue_.Close();
    port_.PurgeTransmit();
}

void TWriteThread::Serve() {
    for (;;) {
        std::optional<CommBlock> block = queue_.TryTake();
        if (!block) {
            const QueueWait wait = queue_.WaitForInput(shutdown_);
            switch (wait.kind) {
                case QueueWait::Kind::Input:
                    continue;
                case QueueWait::Kind::Shutdown:
                    return;
                case QueueWait::Kind::Failed:
                    LogError(wait.error, "Write WAIT_FAILED: ");
                    RequestHangup();
                    return;
                case QueueWait::Kind::Unexpected:
                    LogLine(kUnexpectedWaitLine + std::to_string(wait.value));
                    RequestHangup();
                    return;
            }
        }
        // A block taken after shutdown was signalled is dropped unwritten.
        if (shutdown_.IsSet()) {
            return;
        }
        LogLine("Writing to comm port");
        if (!WriteAll(*block)) {
            return;
        }
    }
}

bool TWriteThread::WriteAll(const CommBlock& block) {
    std::size_t written = 0;
    while (written < block.count) {
        const IoResult result =
            port_.Write(block.bytes.get() + written, block.count - written, shutdown_);
        switch (result.status) {
            case IoResult::Status::Done:
                written += result.count;
                break;
            case IoResult::Status::Shutdown:
                return false;
            case IoResult::Status::InvalidHandle:
                LogLine(kInvalidHandleLine);
                return false;
            case IoResult::Status::LineError:
            case IoResult::Status::Failed:
                LogError(result.error, "Error to writing to CommFile");
                LogLine("Closing TAPI");
                RequestHangup();
                return false;
        }
    }
    return true;
}

void TWriteThread::RequestHangup() {
    Notification notification;
    notification.kind = Notification::Kind::Hangup;
    channel_.Post(std::move(notification));
}

}  // namespace kadr
