#include "editor/app/startup_settings.h"

#include <QCoreApplication>

#include "frameset/clipboard_payload.h"

namespace kadr::editor {
namespace {

QString& RegisteredFormat() {
    static QString format;
    return format;
}

}  // namespace

void SetCompanyName() {
    QCoreApplication::setOrganizationName(QString::fromLatin1(kCompanyName));
}

void RegisterClipboardFormat() {
    RegisteredFormat() = QStringLiteral("application/x-qt-windows-mime;value=\"") +
                         QString::fromLatin1(kClipboardFormatName) + QLatin1Char('"');
}

QString ClipboardFormat() {
    return RegisteredFormat();
}

}  // namespace kadr::editor
