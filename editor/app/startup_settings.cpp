#include "editor/app/startup_settings.h"

#include <QCoreApplication>

#include "frameset/clipboard_payload.h"

namespace kadr::editor {
namespace {

QString& RegisteredFormat() {
    static QString format;
    return format;
}

QString& RegisteredFramesFormat() {
    static QString format;
    return format;
}

QString WindowsFormat(const char* name) {
    return QStringLiteral("application/x-qt-windows-mime;value=\"") + QString::fromLatin1(name) +
           QLatin1Char('"');
}

}  // namespace

void SetCompanyName() {
    QCoreApplication::setOrganizationName(QString::fromLatin1(kCompanyName));
}

void RegisterClipboardFormat() {
    RegisteredFormat() = WindowsFormat(kClipboardFormatName);
    RegisteredFramesFormat() = WindowsFormat(kFramesClipboardFormatName);
}

QString ClipboardFormat() {
    return RegisteredFormat();
}

QString FramesClipboardFormat() {
    return RegisteredFramesFormat();
}

}  // namespace kadr::editor
