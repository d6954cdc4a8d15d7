// The main window's own commands: each runs one operation of the document, or one of the window's
// file and upload commands; the views follow the document's notification.
#include <QComboBox>
#include <QToolButton>

#include "editor/app/error_box.h"
#include "editor/files/recent_file_list.h"
#include "editor/window/main_window.h"

namespace kadr::editor {

template <typename Edit>
void TfmMain::Perform(Edit edit) {
    // The views follow the document's own notification; only a refusal is left to tell.
    RunCommand([&] {
        if (edit(document_).status == EditStatus::Full) {
            status_.Panel0->setText(QStringLiteral("Не более %1 кадров").arg(kMaxFrames));
        }
    });
}

void TfmMain::PerformEdit(const std::function<EditResult(Document&)>& edit) {
    Perform(edit);
}

void TfmMain::ConnectCommands() {
    const Commands& c = commands_;
    const auto bind = [this](QAction* action, auto edit) {
        connect(action, &QAction::triggered, this, [this, edit] { Perform(edit); });
    };
    // The commands on the selected frames are SelectionCommands'.
    bind(c.acAdd, [](Document& d) { return d.Add(); });
    bind(c.acInsert, [](Document& d) { return d.Insert(); });
    bind(c.acUndo, [](Document& d) { return d.Undo(); });
    bind(c.acRedo, [](Document& d) { return d.Redo(); });
    connect(c.acNew, &QAction::triggered, this, [this] { RunCommand([this] { acNewExecute(); }); });
    connect(c.acOpen, &QAction::triggered, this,
            [this] { RunCommand([this] { acOpenExecute(); }); });
    connect(c.acSave, &QAction::triggered, this,
            [this] { RunCommand([this] { acSaveExecute(); }); });
    connect(c.acSaveAs, &QAction::triggered, this,
            [this] { RunCommand([this] { acSaveAsExecute(); }); });
    connect(recentFiles_, &RecentFileList::Clicked, this,
            [this](QAction* item) { RunCommand([this, item] { PupupFileMenuClick(item); }); });
    connect(c.acExit, &QAction::triggered, this, &QWidget::close);
    connect(bottom_.RxSpeedButton1, &QToolButton::clicked, this,
            [this] { RunCommand([this] { RxSpeedButton1Click(); }); });
    connect(c.acTextLine, &QAction::triggered, this,
            [this] { RunCommand([this] { acTextLineExecute(); }); });
    connect(c.N12, &QAction::triggered, this, [this] { RunCommand([this] { N12Click(); }); });
    connect(toolBar_.cbMashtab, &QComboBox::currentIndexChanged, this,
            [this] { RunCommand([this] { cbMashtabChange(); }); });
}

}  // namespace kadr::editor
