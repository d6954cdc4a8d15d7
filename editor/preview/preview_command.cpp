#include "editor/preview/preview_command.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "editor/app/error_box.h"
#include "editor/preview/preview_window.h"
#include "editor/window/main_window.h"
#include "editor/window/menu_lookup.h"

namespace kadr::editor {
PreviewCommand::PreviewCommand(TfmMain& window) : QObject(&window), main_(window) {
    setObjectName(QStringLiteral("PreviewCommand"));
    acPreview_ = new QAction(QStringLiteral("Просмотр"), &window);
    acPreview_->setObjectName(QStringLiteral("acPreview"));
    acPreview_->setToolTip(QStringLiteral("Просмотр"));
    acPreview_->setShortcut(QKeySequence(Qt::Key_F5));
    window.addAction(acPreview_);
    ViewMenu(*window.menuBar())->addAction(acPreview_);
    connect(acPreview_, &QAction::triggered, this,
            [this] { RunCommand([this] { acPreviewExecute(); }); });
}

void PreviewCommand::acPreviewExecute() {
    if (preview_ == nullptr) {
        preview_ = new TfmPreview(main_.Doc(), &main_);
    }
    const FrameSet& set = main_.Doc().Set();
    preview_->Open(set.HasCurrentFrame() ? set.CurFrame : 0);
}

PreviewCommand* InstallPreviewCommand(TfmMain& window) {
    return new PreviewCommand(window);
}

}  // namespace kadr::editor
