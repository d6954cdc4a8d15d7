#include "device/write_thread.h"

#include <poll.h>

#include <cerrno>
#include <exception>

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
            pollfd fds[2] = {{shutdown_.Fd(), POLLIN, 0}, {queue_.Fd(), POLLIN, 0}};
            const int ready = poll(fds, 2, -1);
            if (ready < 0 && errno == EINTR) {
                continue;
            }
            if (ready < 0) {
                LogError(errno, "Write WAIT_FAILED: ");
                RequestHangup();
                return;
            }
            if (fds[0].revents != 0) {
                return;
            }
            if (fds[1].revents != POLLIN) {
                LogLine(kUnexpectedWaitLine + std::to_string(fds[1].revents));
                RequestHangup();
                return;
            }
            continue;
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
