#pragma once

#include <QString>

#include "frameset/clipboard_payload.h"

namespace kadr::editor {

// Copy and Paste through the desktop's clipboard, in the private format that every running
// editor registers under the same name, so frames pass between them.
class SystemClipboard : public FrameClipboard {
  public:
    explicit SystemClipboard(QString format) : format_(std::move(format)) {}

    bool OffersFrame() override;
    std::vector<std::uint8_t> ReadFrame() override;
    void WriteFrame(std::span<const std::uint8_t, kFrameBytes> payload) override;

  private:
    QString format_;
};

}  // namespace kadr::editor
