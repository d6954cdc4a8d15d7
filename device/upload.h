#pragma once

#include <QTimer>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "device/vss_comm32.h"
#include "frameset/frame_set.h"

namespace kadr {

enum class UploadOutcome { Completed, NoReply, Aborted, ConnectionLost };

// The line the display unit expects besides port and speed: 8 data bits, no parity, 1 stop
// bit, DTR and RTS raised, a read complete after 40 ms of silence.
void SetDisplayUnitLine(TVSSComm32& comm);

// What the upload shows through whoever drives it: the editor window or the command line.
class UploadOwner {
  public:
    virtual ~UploadOwner() = default;
    // The upload button's two-line caption.
    virtual void ShowUploadCaption(const std::string& caption) = 0;
    // The status bar's second panel; empty clears it.
    virtual void ShowUploadStatus(const std::string& text) = 0;
    // The status window with one line of text; returns when the user has closed it.
    virtual void ShowStatusWindow(const std::string& text) = 0;
    // After each data packet: how many have been sent of how many there are.
    virtual void ShowUploadProgress(int sent, int total) {
        static_cast<void>(sent);
        static_cast<void>(total);
    }
    // Last of all, once the port is closed and the caption is back.
    virtual void UploadEnded(UploadOutcome outcome) { static_cast<void>(outcome); }
};

struct UploadState {
    std::vector<std::uint8_t> UploadBuffer;  // frame records captured at the start
    std::size_t ReadPosition = 0;
    bool UploadActive = false;
    std::uint8_t UploadStage = 0;  // 0 handshake, 1 programming, 2 finished
    std::uint16_t BytesSent = 0;   // the largest buffer (14 336 bytes) fits
    bool LastPacketSent = false;
    int DataPacketsSent = 0;  // for the owner's progress display
};

// The upload of a frame set into the display unit: a handshake repeated until the device
// answers, then 64-byte data packets each accepted by a reply, with a reply time-out. It runs
// on the thread that owns the serial component, driven by its Qt event loop. Frame records are
// captured at the start; each handshake takes orientation and speeds from the live frame set
// and the frame count from the captured records.
class TDeviceUpload {
  public:
    static constexpr int kRepeaterIntervalMs = 60;
    static constexpr int kDefaultSendTimeoutMs = 3000;
    static constexpr int kStartPauseMs = 100;

    // Takes over comm's OnReceiveData and OnRequestHangup; frameSet and owner must outlive the
    // upload.
    TDeviceUpload(const FrameSet& frameSet, TVSSComm32& comm, UploadOwner& owner);
    ~TDeviceUpload();
    TDeviceUpload(const TDeviceUpload&) = delete;
    TDeviceUpload& operator=(const TDeviceUpload&) = delete;

    // The upload button: aborts a running upload, else starts one.
    void RxSpeedButton1Click();
    // Throws what OpenPort throws, with the caption back at rest, nothing started and nothing
    // of the failed open left behind (a port it finds open already stays open).
    void StartUpload();
    void AbortUpload();
    // Whoever shows the upload is going away (the window closes): stops it and closes the port
    // without a status window that would come up after the window is gone.
    void AbandonUpload();
    void SendHandshake();
    void AdvanceUpload();
    void SendNextDataPacket();
    void VSSComm321ReceiveData(const std::uint8_t* Buffer, std::uint32_t BufferLength);
    void TimerSendTimeoutTimer();
    // A worker thread of the port gave up (read error, hangup): the device is gone, so the
    // upload ends at once instead of waiting out the reply time-out.
    void VSSComm321RequestHangup();
    void ShowStatusMessage(const std::string& text);

    // A new reply time-out applies at once: a running time-out starts over with it.
    void SetSendTimeoutInterval(int milliseconds) { TimerSendTimeout.setInterval(milliseconds); }
    int SendTimeoutInterval() const { return TimerSendTimeout.interval(); }

    const UploadState& State() const { return state_; }
    bool RepeaterRunning() const { return TimerRepeater.isActive(); }
    bool SendTimeoutRunning() const { return TimerSendTimeout.isActive(); }
    int DataPacketCount() const;

  private:
    void StopTimers();

    const FrameSet& frameSet_;
    TVSSComm32& comm_;
    UploadOwner& owner_;
    UploadState state_;
    QTimer TimerRepeater;
    QTimer TimerSendTimeout;
};

}  // namespace kadr
