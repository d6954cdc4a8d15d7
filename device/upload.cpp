#include "device/upload.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "device/upload_packets.h"
#include "device/upload_texts.h"
#include "frameset/frame_codec.h"

namespace kadr {
namespace {

void StartUnlessRunning(QTimer& timer) {
    // Enabling a running timer must not restart it: the reply time-out of the handshake
    // phase counts from the first handshake packet.
    if (!timer.isActive()) {
        timer.start();
    }
}

}  // namespace

void SetDisplayUnitLine(TVSSComm32& comm) {
    comm.Parity = TParity::None;
    comm.DataBits = TDataBits::_8;
    comm.StopBits = TStopBits::_1;
    comm.DTR = true;
    comm.RTS = true;
    comm.ReadTimeout = 40;
}

TDeviceUpload::TDeviceUpload(const FrameSet& frameSet, TVSSComm32& comm, UploadOwner& owner)
    : frameSet_(frameSet), comm_(comm), owner_(owner) {
    TimerRepeater.setInterval(kRepeaterIntervalMs);
    TimerRepeater.setTimerType(Qt::PreciseTimer);
    TimerSendTimeout.setInterval(kDefaultSendTimeoutMs);
    TimerSendTimeout.setTimerType(Qt::PreciseTimer);
    QObject::connect(&TimerRepeater, &QTimer::timeout, [this] { SendHandshake(); });
    QObject::connect(&TimerSendTimeout, &QTimer::timeout, [this] { TimerSendTimeoutTimer(); });
    comm_.OnReceiveData = [this](const std::uint8_t* buffer, std::uint32_t length) {
        VSSComm321ReceiveData(buffer, length);
    };
    comm_.OnRequestHangup = [this](TVSSComm32&) { VSSComm321RequestHangup(); };
}

TDeviceUpload::~TDeviceUpload() {
    StopTimers();
    comm_.OnReceiveData = nullptr;
    comm_.OnRequestHangup = nullptr;
}

int TDeviceUpload::DataPacketCount() const {
    const std::size_t size = state_.UploadBuffer.size();
    return std::max<int>(1, static_cast<int>((size + kDataPayloadBytes - 1) / kDataPayloadBytes));
}

void TDeviceUpload::RxSpeedButton1Click() {
    if (state_.UploadActive) {
        AbortUpload();
    } else {
        StartUpload();
    }
}

void TDeviceUpload::StartUpload() {
    owner_.ShowUploadCaption(kCaptionAbort);
    const bool openedElsewhere = comm_.IsOpen();
    try {
        // False (no shutdown event) is not an error here: the packets then go nowhere and
        // the reply time-out ends the upload.
        comm_.OpenPort();
    } catch (...) {
        // An open that failed part way (a worker thread refused, a log made before the device
        // failed) leaves the port recorded; releasing it lets the next press open it again
        // instead of meeting "Already have a comm file open" until restart.
        if (!openedElsewhere) {
            comm_.ClosePort();
        }
        owner_.ShowUploadCaption(kCaptionUpload);
        throw;
    }
    state_.UploadBuffer.clear();
    for (int f = 0; f <= frameSet_.LastFrame; ++f) {
        const FrameRecord record = EncodeFrame(frameSet_.Frames[static_cast<std::size_t>(f)]);
        state_.UploadBuffer.insert(state_.UploadBuffer.end(), record.begin(), record.end());
    }
    state_.ReadPosition = 0;
    // The device wants a moment after the port's lines come up.
    std::this_thread::sleep_for(std::chrono::milliseconds(kStartPauseMs));
    state_.UploadStage = 0;
    state_.UploadActive = true;
    owner_.ShowUploadStatus(kStatusHandshake);
    state_.BytesSent = 0;
    state_.LastPacketSent = false;
    state_.DataPacketsSent = 0;
    SendHandshake();
}

void TDeviceUpload::SendHandshake() {
    // Orientation and speeds follow the document, but the count must announce exactly the
    // frames captured at the start: an edit during the handshake must not promise the unit a
    // frame it will never receive.
    Header header = EncodeHeader(frameSet_);
    const auto captured = static_cast<std::uint16_t>(state_.UploadBuffer.size() / kRecordBytes);
    header[3] = static_cast<std::uint8_t>(captured & 0xFF);
    header[4] = static_cast<std::uint8_t>(captured >> 8);
    const HandshakePacket packet = BuildHandshakePacket(header);
    StartUnlessRunning(TimerSendTimeout);
    if (state_.UploadStage == 0) {
        StartUnlessRunning(TimerRepeater);
    }
    comm_.WriteBlock(packet.data(), static_cast<std::uint32_t>(packet.size()));
}

void TDeviceUpload::VSSComm321ReceiveData(const std::uint8_t* Buffer, std::uint32_t BufferLength) {
    if (!state_.UploadActive) {
        return;
    }
    // Each block is scanned alone, and the scan goes on after a match against the stage
    // reached by then: one block may accept the handshake and the first data packet.
    for (std::uint32_t i = 0; i + kReplyBytes <= BufferLength; ++i) {
        if (Buffer[i] != kPacketStart || Buffer[i + 1] != kReplyLength) {
            continue;
        }
        const std::uint8_t status = Buffer[i + 2];
        if ((state_.UploadStage == 0 && status == kTypeHandshake) ||
            (state_.UploadStage == 1 && status == kTypeData)) {
            StopTimers();
            AdvanceUpload();
        }
    }
}

void TDeviceUpload::AdvanceUpload() {
    if (state_.UploadStage == 0 || (state_.UploadStage == 1 && !state_.LastPacketSent)) {
        if (state_.UploadStage == 0) {
            state_.UploadStage = 1;
        }
        owner_.ShowUploadStatus(kStatusProgramming);
        SendNextDataPacket();
        return;
    }
    state_.BytesSent = 0;
    ++state_.UploadStage;
    state_.UploadActive = false;
    ShowStatusMessage(kStatusCompleted);
    owner_.ShowUploadCaption(kCaptionUpload);
    comm_.ClosePort();
    owner_.UploadEnded(UploadOutcome::Completed);
}

void TDeviceUpload::SendNextDataPacket() {
    const std::size_t left = state_.UploadBuffer.size() - state_.ReadPosition;
    const std::size_t n = std::min(kDataPayloadBytes, left);
    const DataPacket packet = BuildDataPacket(state_.UploadBuffer.data() + state_.ReadPosition, n);
    state_.ReadPosition += n;
    state_.BytesSent = static_cast<std::uint16_t>(state_.BytesSent + n);
    state_.LastPacketSent = state_.BytesSent >= state_.UploadBuffer.size();
    StartUnlessRunning(TimerSendTimeout);
    comm_.WriteBlock(packet.data(), static_cast<std::uint32_t>(packet.size()));
    ++state_.DataPacketsSent;
    owner_.ShowUploadProgress(state_.DataPacketsSent, DataPacketCount());
}

void TDeviceUpload::TimerSendTimeoutTimer() {
    StopTimers();
    state_.BytesSent = 0;
    state_.UploadActive = false;
    comm_.ClosePort();
    ShowStatusMessage(kStatusNoReply);
    owner_.ShowUploadCaption(kCaptionUpload);
    owner_.UploadEnded(UploadOutcome::NoReply);
}

void TDeviceUpload::VSSComm321RequestHangup() {
    // Idle, or the completion window is up with the data all accepted: nothing is lost.
    if (!state_.UploadActive) {
        return;
    }
    StopTimers();
    state_.BytesSent = 0;
    state_.UploadActive = false;
    comm_.ClosePort();
    ShowStatusMessage(kStatusConnectionLost);
    owner_.ShowUploadCaption(kCaptionUpload);
    owner_.UploadEnded(UploadOutcome::ConnectionLost);
}

void TDeviceUpload::AbortUpload() {
    owner_.ShowUploadCaption(kCaptionUpload);
    comm_.ClosePort();
    state_.UploadActive = false;
    StopTimers();
    ShowStatusMessage(kStatusAborted);
    owner_.UploadEnded(UploadOutcome::Aborted);
}

void TDeviceUpload::AbandonUpload() {
    if (!state_.UploadActive) {
        return;
    }
    StopTimers();
    state_.BytesSent = 0;
    state_.UploadActive = false;
    comm_.ClosePort();
    owner_.ShowUploadCaption(kCaptionUpload);
    owner_.ShowUploadStatus({});
    owner_.UploadEnded(UploadOutcome::Aborted);
}

void TDeviceUpload::ShowStatusMessage(const std::string& text) {
    owner_.ShowUploadStatus(text);
    owner_.ShowStatusWindow(text);
    owner_.ShowUploadStatus({});
}

void TDeviceUpload::StopTimers() {
    TimerRepeater.stop();
    TimerSendTimeout.stop();
}

}  // namespace kadr
