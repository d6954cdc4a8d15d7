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
    bind(c.acAdd, [](Document& d) { return d.Add(); });
    bind(c.acClear, [](Document& d) { return d.Clear(); });
    bind(c.acInsert, [](Document& d) { return d.Insert(); });
    bind(c.acDelete, [](Document& d) { return d.Delete(); });
    bind(c.tbMoveToLeft, [](Document& d) { return d.MoveToLeft(); });
    bind(c.tbMoveToRight, [](Document& d) { return d.MoveToRight(); });
    bind(c.tbMoveToUp, [](Document& d) { return d.MoveToUp(); });
    bind(c.tbMoveToDown, [](Document& d) { return d.MoveToDown(); });
    bind(c.mnAnim, [](Document& d) { return d.SetAnim(); });
    bind(c.mnBegStr, [](Document& d) { return d.SetBegStr(); });
    bind(c.mnStr, [](Document& d) { return d.SetStr(); });
    bind(c.mnEndStr, [](Document& d) { return d.SetEndStr(); });
    bind(c.acUndo, [](Document& d) { return d.Undo(); });
    bind(c.acRedo, [](Document& d) { return d.Redo(); });
    bind(c.acPaste, [this](Document& d) { return d.Paste(*clipboard_); });
    bind(c.acCopy, [this](Document& d) {
        d.Copy(*clipboard_);
        return EditResult{EditStatus::Done, kadr::Redraw::None};
    });
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
