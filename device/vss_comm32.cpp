#include "device/vss_comm32.h"

#include <chrono>
#include <system_error>

#include "device/comms_error.h"
#include "device/comms_log.h"
#include "device/notification_channel.h"
#include "device/port_settings.h"
#include "device/read_thread.h"
#include "device/serial_device.h"
#include "device/shutdown_event.h"
#include "device/write_queue.h"
#include "device/write_thread.h"

namespace kadr {
namespace {

// Closing must finish even when the log cannot be written any more.
void LogWhileClosing(std::string_view text) {
    try {
        LogLine(text);
    } catch (const std::exception&) {
    }
}

}  // namespace

TVSSComm32::TVSSComm32()
    : channel_(std::make_unique<NotificationChannel>([this](Notification& n) { Notify(n); })) {}

TVSSComm32::~TVSSComm32() {
    ClosePort();
}

void TVSSComm32::SetCommsLogFileName(const std::string& name) {
    commsLogFileName_ = name;
    kadr::SetCommsLogFileName(name);
}

std::string TVSSComm32::ChosenPort() const {
    return PortName.empty() ? std::string(EnumName(CommPort)) : PortName;
}

void TVSSComm32::ChoosePort(const std::string& choice) {
    if (const auto port = CommPortFromName(choice)) {
        CommPort = *port;
        PortName.clear();
    } else {
        PortName = choice;
    }
}

std::string TVSSComm32::DeviceName() const {
    return PortDevice(ChosenPort());
}

bool TVSSComm32::OpenPort() {
    if (device_) {
        throw ECommsError("Already have a comm file open");
    }
    if (!commsLogFileName_.empty()) {
        OpenCommsLog();
        logOpen_ = true;
    }
    device_ = OpenSerialDevice(DeviceName());

    LineSettings line;
    line.baud = BaudValue(BaudRate);
    line.dataBits = DataBitsValue(DataBits);
    line.parity = Parity;
    line.stopBits = StopBits;
    if (const int error = device_->ApplyLineSettings(line); error != 0) {
        // As on Windows, a setting the port refuses does not stop the open.
        LogError(error, "Unable to SetCommState: ");
    }
    if (const int error = device_->SetReadInterval(ReadTimeout); error != 0) {
        LogError(error, "Unable to SetCommTimeouts: ");
    }

    try {
        shutdown_ = std::make_unique<ShutdownEvent>();
        // The queue exists before the writer runs, so a block written at once is never lost.
        queue_ = std::make_unique<WriteQueue>();
    } catch (const std::system_error& e) {
        LogError(e.code().value(), "Unable to CreateEvent: ");
        queue_.reset();
        shutdown_.reset();
        device_.reset();  // not left open without anyone to close it
        return false;
    }

    reader_ = std::make_unique<TReadThread>(*device_, *shutdown_, *channel_);
    try {
        if (StartingWorker) {
            StartingWorker("Read");
        }
        reader_->Start();
    } catch (const std::system_error& e) {
        reader_.reset();
        LogError(e.code().value(), "Unable to create Read thread: ");
        throw ECommsError("Unable to create Read thread");
    }
    writer_ = std::make_unique<TWriteThread>(*device_, *shutdown_, *queue_, *channel_);
    try {
        if (StartingWorker) {
            StartingWorker("Write");
        }
        writer_->Start();
    } catch (const std::system_error& e) {
        writer_.reset();
        LogError(e.code().value(), "Unable to create Write thread: ");
        throw ECommsError("Unable to create Write thread");
    }

    SetModemLines(DTR, RTS);
    return true;
}

template <typename Worker>
void TVSSComm32::StopWorker(std::unique_ptr<Worker>& worker, std::string_view closing,
                            void (SerialDevice::*purge)(), std::string_view notExiting) {
    LogWhileClosing(closing);
    if (shutdown_) {
        shutdown_->Set();
    }
    ((*device_).*purge)();
    if (worker && !worker->WaitFor(std::chrono::milliseconds(kThreadStopLimitMs))) {
        LogWhileClosing(notExiting);
    }
    // Waits for the end without limit: the thread still uses the port and the events.
    worker.reset();
}

void TVSSComm32::ClosePort() {
    if (!device_) {
        CloseOwnLog();
        return;
    }
    LogWhileClosing("Stopping the Comm");

    StopWorker(reader_, "Closing Read Thread ", &SerialDevice::PurgeReceive,
               "Read thread not exiting.  Terminating it.");
    StopWorker(writer_, "Closing Write Thread", &SerialDevice::PurgeTransmit,
               "Write thread not exiting.  Terminating it.");

    queue_.reset();  // blocks still queued are dropped
    shutdown_.reset();
    device_.reset();
    CloseOwnLog();
}

void TVSSComm32::CloseOwnLog() {
    if (logOpen_) {
        CloseCommsLog();
        logOpen_ = false;
    }
}

bool TVSSComm32::WriteBlock(const void* bytes, std::uint32_t count) {
    if (!writer_ || !queue_) {
        LogLine("Write thread not created");
        return false;
    }
    if (!queue_->Post(CommBlock(bytes, count))) {
        LogLine("Failed to Post to Write thread. ");
        return false;
    }
    return true;
}

void TVSSComm32::SetModemLines(bool dtr, bool rts) {
    if (!device_) {
        return;
    }
    // A device without modem lines (a pseudo-terminal) refuses with ENOTTY; that is worth a
    // log line, not a failure.
    if (const int error = device_->SetDtr(dtr); error != 0) {
        LogError(error, dtr ? "Unable to raise DTR: " : "Unable to clear DTR: ");
    }
    if (const int error = device_->SetRts(rts); error != 0) {
        LogError(error, rts ? "Unable to raise RTS: " : "Unable to clear RTS: ");
    }
}

void TVSSComm32::Notify(Notification& notification) {
    // Posted before ClosePort but handled after it: a closed port reports nothing more, so a
    // late hangup of the old line cannot end whatever runs next.
    if (!device_) {
        return;
    }
    if (notification.kind == Notification::Kind::ReceivedData) {
        if (OnReceiveData) {
            OnReceiveData(notification.block.bytes.get(), notification.block.count);
        }
    } else if (OnRequestHangup) {
        OnRequestHangup(*this);
    }
}

}  // namespace kadr
