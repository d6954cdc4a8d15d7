#pragma once

#include "device/upload.h"

class QLabel;
class QProgressBar;
class QToolButton;

namespace kadr::editor {

class TfmStsMessage;

// Shows an upload in the window: the upload button's caption, the status bar's second panel with
// a progress bar of the data packets beside it, and the outcome in the status window.
class UploadPresenter : public UploadOwner {
  public:
    UploadPresenter(QToolButton* button, QLabel* panel, QProgressBar* progress);

    void SetStatusWindow(TfmStsMessage* window) { statusWindow_ = window; }

    void ShowUploadCaption(const std::string& caption) override;
    void ShowUploadStatus(const std::string& text) override;
    void ShowStatusWindow(const std::string& text) override;
    void ShowUploadProgress(int sent, int total) override;

  private:
    QToolButton* button_;
    QLabel* panel_;
    QProgressBar* progress_;
    TfmStsMessage* statusWindow_ = nullptr;
};

}  // namespace kadr::editor
