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

const QMimeData& Contents() {
    const QMimeData* data = Clipboard().mimeData();
    if (data == nullptr) {
        throw Error(kCannotOpenClipboard);
    }
    return *data;
}

QByteArray Bytes(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

}  // namespace

bool SystemClipboard::OffersFrame() {
    const QMimeData* data = Clipboard().mimeData();
    return data != nullptr && data->hasFormat(format_);
}

std::vector<std::uint8_t> SystemClipboard::ReadFrame() {
    const QByteArray bytes = Contents().data(format_);
    return {bytes.begin(), bytes.end()};
}

std::optional<std::vector<std::uint8_t>> SystemClipboard::ReadFrames() {
    const QMimeData& data = Contents();
    if (!data.hasFormat(framesFormat_)) {
        return std::nullopt;
    }
    const QByteArray bytes = data.data(framesFormat_);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void SystemClipboard::Write(std::span<const std::uint8_t, kFrameBytes> first,
                            std::span<const std::uint8_t> frames) {
    QClipboard& clipboard = Clipboard();
    auto* data = new QMimeData;
    data->setData(format_, Bytes(first));
    data->setData(framesFormat_, Bytes(frames));
    // Whatever the clipboard held before, text included, is replaced.
    clipboard.setMimeData(data);
}

}  // namespace kadr::editor
