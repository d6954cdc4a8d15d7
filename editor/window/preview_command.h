#pragma once

#include <QObject>

class QAction;

namespace kadr::editor {

class TfmMain;
class TfmPreview;

// What the command "Просмотр" (F5) runs: the window it opens, made when first asked for and kept
// for the rest of the run.
class PreviewCommand : public QObject {
    Q_OBJECT

  public:
    explicit PreviewCommand(TfmMain& window);

    QAction* Action() const { return acPreview_; }
    // The preview window, null until the command has run once.
    TfmPreview* Window() const { return preview_; }
    void acPreviewExecute();

  private:
    TfmMain& main_;
    QAction* acPreview_ = nullptr;
    TfmPreview* preview_ = nullptr;
};

}  // namespace kadr::editor
