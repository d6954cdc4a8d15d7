#include "frameset/clipboard_payload.h"

#include "frameset/errors.h"

namespace kadr {

void ApplyPayload(std::span<const std::uint8_t> payload, Frame& frame) {
    if (payload.size() < static_cast<std::size_t>(kFrameBytes)) {
        throw Error(kStreamReadError);
    }
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = payload[i] == kDotSet ? kDotSet : kDotBlank;
    }
}

std::vector<std::uint8_t> MemoryClipboard::ReadFrame() {
    return content_ ? *content_ : std::vector<std::uint8_t>{};
}

void MemoryClipboard::Write(std::span<const std::uint8_t, kFrameBytes> first,
                            std::span<const std::uint8_t> frames) {
    content_.emplace(first.begin(), first.end());
    frames_.emplace(frames.begin(), frames.end());
}

void MemoryClipboard::WriteFrame(std::span<const std::uint8_t, kFrameBytes> payload) {
    content_.emplace(payload.begin(), payload.end());
    frames_.reset();
}

}  // namespace kadr
