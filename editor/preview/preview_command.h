#pragma once

#include <QObject>

class QAction;

namespace kadr::editor {

class TfmMain;
class TfmPreview;

// The command "Просмотр" (F5) in the menu "&Вид" and the window it opens, made when first
// asked for and kept for the rest of the run.
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

// Adds the command after the editor's first menus; the menu "&Вид" is made after "П&араметры"
// unless the window already has one.
PreviewCommand* InstallPreviewCommand(TfmMain& window);

}  // namespace kadr::editor
