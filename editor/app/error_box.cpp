#include "editor/app/error_box.h"

#include <exception>

#include <QApplication>
#include <QMessageBox>

#include "editor/app/application_title.h"

namespace kadr::editor {

QString ErrorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
        return message + QLatin1Char('.');
    }
    return message;
}

void ShowErrorBox(const QString& message) {
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), ErrorBoxText(message),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.exec();
}

void ReportCurrentException() noexcept {
    QString message;
    try {
        throw;
    } catch (const std::exception& error) {
        message = QString::fromUtf8(error.what());
    } catch (...) {
        message = QStringLiteral("Неизвестная ошибка");
    }
    try {
        ShowErrorBox(message);
    } catch (...) {
        // Nothing is left to tell the user with; the program goes on regardless.
    }
}

}  // namespace kadr::editor
