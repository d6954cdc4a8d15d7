#pragma once

#include <QString>

#include "frameset/clipboard_payload.h"

namespace kadr::editor {

// Copy and Paste through the desktop's clipboard, in the private formats that every running
// editor registers under the same names, so frames pass between them.
class SystemClipboard : public FrameClipboard {
  public:
    SystemClipboard(QString format, QString framesFormat)
        : format_(std::move(format)), framesFormat_(std::move(framesFormat)) {}

    bool OffersFrame() override;
    std::vector<std::uint8_t> ReadFrame() override;
    std::optional<std::vector<std::uint8_t>> ReadFrames() override;
    void Write(std::span<const std::uint8_t, kFrameBytes> first,
               std::span<const std::uint8_t> frames) override;

  private:
    QString format_;
    QString framesFormat_;
};

}  // namespace kadr::editor
