#include "editor/window/recovery_session.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "editor/window/main_window.h"
#include "pictures/utf8_path.h"

namespace kadr::editor {

QString RecoveryQuestion(qint64 savedAtMs, const QString& fileName) {
    const QString when = QDateTime::fromMSecsSinceEpoch(savedAtMs).toLocalTime().toString(
        QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    const QString name =
        fileName.isEmpty() ? QStringLiteral("Без названия") : QFileInfo(fileName).fileName();
    return QStringLiteral("Найдена несохранённая работа от %1 (%2). Восстановить?").arg(when, name);
}

RecoverySession::RecoverySession(TfmMain& window, const QString& folder)
    : window_(window), store_(folder), autosave_(window, store_) {}

void RecoverySession::OfferOrphans() {
    for (OrphanCopy& orphan : store_.FindOrphans()) {
        const FrameSet& set = orphan.copy->set;
        QMessageBox box(QMessageBox::Question, QStringLiteral("Сообщение"),
                        RecoveryQuestion(orphan.copy->savedAtMs, QtPath(set.FileName)),
                        QMessageBox::NoButton, &window_);
        box.setObjectName(QStringLiteral("RecoveryQuestion"));
        box.addButton(QMessageBox::Yes)->setText(QStringLiteral("Да"));
        box.addButton(QMessageBox::No)->setText(QStringLiteral("Нет"));
        box.setDefaultButton(QMessageBox::Yes);
        const int answer = box.exec();
        if (answer == QMessageBox::Yes) {
            if (window_.OpenRecovered(set)) {
                // On the medium as this editor's copy before the old one goes.
                autosave_.WriteNow();
                autosave_.Flush();
                orphan.Delete();
            }
        } else if (answer == QMessageBox::No) {
            orphan.Delete();
        }
    }
}

}  // namespace kadr::editor
