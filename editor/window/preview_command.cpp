#include "editor/window/preview_command.h"

#include <QAction>

#include "editor/app/error_box.h"
#include "editor/preview/preview_window.h"
#include "editor/window/main_window.h"

namespace kadr::editor {
PreviewCommand::PreviewCommand(TfmMain& window)
    : QObject(&window), main_(window), acPreview_(window.Command(QStringLiteral("acPreview"))) {
    setObjectName(QStringLiteral("PreviewCommand"));
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

}  // namespace kadr::editor
