#include "editor/app/system_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "frameset/errors.h"

namespace kadr::editor {
namespace {

QClipboard& Clipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        throw Error(kCannotOpenClipboard);
    }
    return *clipboard;
}

}  // namespace

bool SystemClipboard::OffersFrame() {
    const QMimeData* data = Clipboard().mimeData();
    return data != nullptr && data->hasFormat(format_);
}

std::vector<std::uint8_t> SystemClipboard::ReadFrame() {
    const QMimeData* data = Clipboard().mimeData();
    if (data == nullptr) {
        throw Error(kCannotOpenClipboard);
    }
    const QByteArray bytes = data->data(format_);
    return {bytes.begin(), bytes.end()};
}

void SystemClipboard::WriteFrame(std::span<const std::uint8_t, kFrameBytes> payload) {
    QClipboard& clipboard = Clipboard();
    auto* data = new QMimeData;
    data->setData(format_, QByteArray(reinterpret_cast<const char*>(payload.data()),
                                      static_cast<qsizetype>(payload.size())));
    // Whatever the clipboard held before, text included, is replaced.
    clipboard.setMimeData(data);
}

}  // namespace kadr::editor
