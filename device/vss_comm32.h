#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "device/comm_types.h"

namespace kadr {

class NotificationChannel;
struct Notification;
class SerialDevice;
class ShutdownEvent;
class WriteQueue;
class TReadThread;
class TWriteThread;

// The serial port component: opens and configures one port, sends blocks without blocking the
// caller (through the writer thread) and hands every received block to the thread that created
// it (from the reader thread, through that thread's Qt event loop). Everything after opening
// is reported only to the diagnostic log and through hangup requests.
class TVSSComm32 {
  public:
    // Buffer holds BufferLength bytes and a zero after them; it is freed when the call returns.
    using TReceiveDataEvent =
        std::function<void(const std::uint8_t* Buffer, std::uint32_t BufferLength)>;
    using TNotifyEvent = std::function<void(TVSSComm32& Sender)>;

    static constexpr int kThreadStopLimitMs = 10000;

    // Needs a Qt event loop on the creating thread for the notifications.
    TVSSComm32();
    // Closes an open port first, so that no worker thread outlives the component.
    ~TVSSComm32();
    TVSSComm32(const TVSSComm32&) = delete;
    TVSSComm32& operator=(const TVSSComm32&) = delete;

    TCommPort CommPort = TCommPort::Com1;
    TBaudRate BaudRate = TBaudRate::____110;
    TParity Parity = TParity::None;
    TDataBits DataBits = TDataBits::_4;
    TStopBits StopBits = TStopBits::_1;
    bool DTR = false;
    bool RTS = false;
    int ReadTimeout = 40;  // milliseconds of silence that complete a read
    // The port when it is none of CommPort's four: "Com7", a device path (/dev/ttyUSB0, a pty);
    // empty: CommPort.
    std::string PortName;
    TReceiveDataEvent OnReceiveData;
    TNotifyEvent OnRequestHangup;
    // Called just before each worker thread ("Read", "Write") is created; a std::system_error
    // thrown here counts as the system refusing the thread. Lets a refused thread be tried
    // where the system never refuses one.
    std::function<void(std::string_view worker)> StartingWorker;

    const std::string& CommsLogFileName() const { return commsLogFileName_; }
    // Also names the process-wide log that every component and thread writes to.
    void SetCommsLogFileName(const std::string& name);

    // Throws ECommsError (and FileError when the log cannot be created). False only when the
    // shutdown event cannot be made; the port is then closed again. When a worker thread
    // cannot be created the port stays recorded as open (and when the device cannot be opened
    // the log stays open) until ClosePort.
    bool OpenPort();
    // Stops the threads and closes the port and the log; also releases what a failed OpenPort
    // left behind.
    void ClosePort();
    // Copies the bytes and queues them for the writer; true when queued.
    bool WriteBlock(const void* bytes, std::uint32_t count);
    void SetModemLines(bool dtr, bool rts);

    bool IsOpen() const { return device_ != nullptr; }
    // The port as the user names it: CommPort's name or PortName.
    std::string ChosenPort() const;
    // Com1..Com4 set CommPort, any other port choice PortName.
    void ChoosePort(const std::string& choice);
    // The device OpenPort opens: where the chosen port leads (PortDevice).
    std::string DeviceName() const;

  private:
    void Notify(Notification& notification);
    void CloseOwnLog();
    template <typename Worker>
    void StopWorker(std::unique_ptr<Worker>& worker, std::string_view closing,
                    void (SerialDevice::*purge)(), std::string_view notExiting);

    std::string commsLogFileName_;
    // The log this component opened and has not closed yet: an open that failed after the log
    // was made leaves it to ClosePort.
    bool logOpen_ = false;
    std::unique_ptr<NotificationChannel> channel_;
    // Released in reverse order: threads first, then what they were given.
    std::unique_ptr<SerialDevice> device_;
    std::unique_ptr<ShutdownEvent> shutdown_;
    std::unique_ptr<WriteQueue> queue_;
    std::unique_ptr<TReadThread> reader_;
    std::unique_ptr<TWriteThread> writer_;
};

}  // namespace kadr
