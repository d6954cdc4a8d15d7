#include "editor/window/upload_presenter.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QToolButton>

#include "editor/dialogs/status_window.h"

namespace kadr::editor {

UploadPresenter::UploadPresenter(QToolButton* button, QLabel* panel, QProgressBar* progress)
    : button_(button), panel_(panel), progress_(progress) {}

void UploadPresenter::ShowUploadCaption(const std::string& caption) {
    button_->setText(QString::fromStdString(caption));
}

void UploadPresenter::ShowUploadStatus(const std::string& text) {
    panel_->setText(QString::fromStdString(text));
}

void UploadPresenter::ShowStatusWindow(const std::string& text) {
    // Every end of an upload comes here; the packet count means nothing once the outcome shows.
    progress_->hide();
    if (statusWindow_ == nullptr) {
        return;
    }
    statusWindow_->Memo1()->clear();
    statusWindow_->Memo1()->setText(QString::fromStdString(text));
    statusWindow_->exec();
}

void UploadPresenter::ShowUploadProgress(int sent, int total) {
    progress_->setRange(0, total);
    progress_->setValue(sent);
    progress_->setFormat(QStringLiteral("%v / %m"));
    progress_->show();
}

}  // namespace kadr::editor
