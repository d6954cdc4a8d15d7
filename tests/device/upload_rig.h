#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/upload.h"
#include "device/vss_comm32.h"
#include "tests/device/fake_device.h"

namespace kadr::testing {

// Records what the upload shows, in order: "caption:…", "status:…", "window:…".
class RecordingOwner : public UploadOwner {
  public:
    explicit RecordingOwner(const TVSSComm32& comm) : comm_(comm) {}

    void ShowUploadCaption(const std::string& caption) override {
        shown.push_back("caption:" + caption);
    }
    void ShowUploadStatus(const std::string& text) override { shown.push_back("status:" + text); }
    void ShowStatusWindow(const std::string& text) override {
        shown.push_back("window:" + text);
        portOpenUnderWindow.push_back(comm_.IsOpen());
    }
    void ShowUploadProgress(int sent, int total) override {
        progress.emplace_back(sent, total);
        if (onProgress) {
            onProgress(sent);
        }
    }
    void UploadEnded(UploadOutcome result) override {
        outcome = result;
        portOpenAtEnd = comm_.IsOpen();
    }

    std::vector<std::string> shown;
    std::vector<bool> portOpenUnderWindow;
    std::vector<std::pair<int, int>> progress;
    std::optional<UploadOutcome> outcome;
    bool portOpenAtEnd = true;
    std::function<void(int)> onProgress;

  private:
    const TVSSComm32& comm_;
};

// A frame set, the serial component set up as the editor sets it up, and the upload, against
// a fake device.
struct UploadRig {
    explicit UploadRig(const FakeDevice& device);

    // Starts the upload and runs the event loop until it has ended.
    std::optional<UploadOutcome> Run();

    std::unique_ptr<FrameSet> set = std::make_unique<FrameSet>();
    TVSSComm32 comm;
    RecordingOwner owner{comm};
    TDeviceUpload upload{*set, comm, owner};
};

Bytes HandshakeBytes(const FrameSet& set);
// A data packet built by hand: FE 43 01, the bytes padded with FF to 64, 1 + their sum.
Bytes ExpectedDataPacket(const std::uint8_t* bytes, std::size_t count);
// The frame records of frames 0..LastFrame, one after the other.
Bytes RecordsOf(const FrameSet& set);
std::vector<Bytes> OfType(const std::vector<Bytes>& packets, std::uint8_t type);

}  // namespace kadr::testing
