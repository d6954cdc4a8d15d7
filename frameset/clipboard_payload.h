#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "frameset/frame_set.h"

namespace kadr {

// Registered under this name so that every running editor on the desktop shares the format.
inline constexpr const char* kClipboardFormatName = "MyClipboardFormat";
// The second private format: several frames with their count (frameset/frames_payload.h).
inline constexpr const char* kFramesClipboardFormatName = "KadropisetsFrames";
inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kCannotOpenClipboard = "Cannot open clipboard";

// The system clipboard as the frame commands need it: one frame, 448 bytes in the frame's own
// layout, under the first private format, and the same copy's frames under the second, which an
// older editor does not know. Implementations throw Error("Cannot open clipboard") when another
// program holds it.
class FrameClipboard {
  public:
    virtual ~FrameClipboard() = default;
    virtual bool OffersFrame() = 0;
    // The whole block stored under the format; it may be longer or shorter than a frame.
    virtual std::vector<std::uint8_t> ReadFrame() = 0;
    // The whole block under the format of several frames; nothing when the clipboard has none.
    virtual std::optional<std::vector<std::uint8_t>> ReadFrames() = 0;
    // Replaces everything on the clipboard with one copy in both formats: `first` alone and the
    // block of all the frames copied.
    virtual void Write(std::span<const std::uint8_t, kFrameBytes> first,
                       std::span<const std::uint8_t> frames) = 0;
};

// Takes the first 448 bytes of a payload into the frame, marks included. Throws
// Error("Stream read error") when fewer arrived. Another program could put any byte under our
// format name; bytes other than 0 and 1 become 1 (blank) so that every cell stays 0 or 1.
void ApplyPayload(std::span<const std::uint8_t> payload, Frame& frame);

// An in-process clipboard, for tools and tests that run without a desktop.
class MemoryClipboard : public FrameClipboard {
  public:
    bool OffersFrame() override { return content_.has_value(); }
    std::vector<std::uint8_t> ReadFrame() override;
    std::optional<std::vector<std::uint8_t>> ReadFrames() override { return frames_; }
    void Write(std::span<const std::uint8_t, kFrameBytes> first,
               std::span<const std::uint8_t> frames) override;
    // One frame under the first format alone, as an older editor leaves it.
    void WriteFrame(std::span<const std::uint8_t, kFrameBytes> payload);
    // Puts arbitrary bytes under either format, as a foreign program could.
    void SetRaw(std::vector<std::uint8_t> bytes) { content_ = std::move(bytes); }
    void SetRawFrames(std::vector<std::uint8_t> bytes) { frames_ = std::move(bytes); }
    void Clear() {
        content_.reset();
        frames_.reset();
    }

  private:
    std::optional<std::vector<std::uint8_t>> content_;
    std::optional<std::vector<std::uint8_t>> frames_;
};

}  // namespace kadr
