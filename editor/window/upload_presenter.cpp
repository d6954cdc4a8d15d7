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
    if (text.empty()) {
        progress_->hide();
    }
}

void UploadPresenter::ShowStatusWindow(const std::string& text) {
    // The outcome stands alone: the packet count no longer means anything once it is shown.
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

void UploadPresenter::UploadEnded(UploadOutcome /*outcome*/) {
    progress_->hide();
}

}  // namespace kadr::editor
