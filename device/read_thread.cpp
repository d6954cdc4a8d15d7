#include "device/read_thread.h"

#include <cstring>
#include <exception>

#include "device/comm_log_lines.h"
#include "device/comms_log.h"
#include "device/line_event_text.h"

namespace kadr {

void TReadThread::Run() {
    try {
        Serve();
        LogLine("Read thread shutting down");
    } catch (const std::exception&) {
        // Only the log can throw here: a thread that cannot write its log gives up like one
        // that cannot use its port.
        RequestHangup();
    }
    port_.PurgeReceive();
}

bool TReadThread::Serve() {
    if (const int error = port_.StartLineErrorWatch(); error == 0) {
        LogLine("Waiting for a CommEvent (Error) to occur.");
    } else {
        LogError(error, "Line errors are not counted by this device; watching them is off: ");
    }
    bool readArmed = false;
    for (;;) {
        if (!readArmed) {
            if (shutdown_.IsSet()) {
                return true;
            }
            LogLine("Waiting for data from comm connection.");
            readArmed = true;
        }
        const IoResult result = port_.Read(buffer_, kBufferBytes, shutdown_);
        switch (result.status) {
            case IoResult::Status::Shutdown:
                DebugOutput("Time to Exit");
                return true;
            case IoResult::Status::LineError:
                if (!HandleLineEvent(result.lineErrors)) {
                    RequestHangup();
                    LogLine("Unable HandleCommEvent: ");
                    return false;
                }
                LogLine("Waiting for a CommEvent (Error) to occur.");
                break;
            case IoResult::Status::Done:
                if (!DeliverBlock(buffer_, result.count)) {
                    RequestHangup();
                    LogLine("Unable to HandleReadEvent: ");
                    return false;
                }
                readArmed = false;
                break;
            case IoResult::Status::InvalidHandle:
                LogLine(kInvalidHandleLine);
                RequestHangup();
                return false;
            case IoResult::Status::Failed:
                LogError(result.error, "Unexpected ReadFile error: ");
                RequestHangup();
                return false;
        }
    }
}

bool TReadThread::DeliverBlock(const std::uint8_t* bytes, std::size_t count) {
    if (count == 0) {
        return false;
    }
    LogLine("Got something from Comm port!!!");
    Notification notification;
    notification.kind = Notification::Kind::ReceivedData;
    notification.block = CommBlock(bytes, static_cast<std::uint32_t>(count));
    return channel_.Post(std::move(notification));
}

bool TReadThread::HandleLineEvent(unsigned flags) {
    const std::string text = LineEventText(flags);
    Notification notification;
    notification.kind = Notification::Kind::ReceivedData;
    notification.block = CommBlock(text.data(), static_cast<std::uint32_t>(text.size()));
    return channel_.Post(std::move(notification));
}

void TReadThread::RequestHangup() {
    Notification notification;
    notification.kind = Notification::Kind::Hangup;
    channel_.Post(std::move(notification));
}

}  // namespace kadr
