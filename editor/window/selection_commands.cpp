#include "editor/window/selection_commands.h"

#include <QAction>
#include <QInputDialog>
#include <QLabel>

#include "editor/app/document_events.h"
#include "editor/app/error_box.h"
#include "editor/strip/frame_strip.h"
#include "editor/window/main_window.h"
#include "frameset/errors.h"

namespace kadr::editor {

SelectionCommands::SelectionCommands(TfmMain& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("SelectionCommands"));
    Bind("acClear", [](Document& d) { return d.Clear(); });
    Bind("acDelete", [](Document& d) { return d.Delete(); });
    Bind("tbMoveToLeft", [](Document& d) { return d.MoveToLeft(); });
    Bind("tbMoveToRight", [](Document& d) { return d.MoveToRight(); });
    Bind("tbMoveToUp", [](Document& d) { return d.MoveToUp(); });
    Bind("tbMoveToDown", [](Document& d) { return d.MoveToDown(); });
    Bind("mnAnim", [](Document& d) { return d.SetAnim(); });
    Bind("mnBegStr", [](Document& d) { return d.SetBegStr(); });
    Bind("mnStr", [](Document& d) { return d.SetStr(); });
    Bind("mnEndStr", [](Document& d) { return d.SetEndStr(); });
    Bind("acReverse", [](Document& d) { return d.Reverse(); });
    Bind("acCopy", [this](Document& d) {
        d.Copy(window_.Clipboard());
        return EditResult{EditStatus::Done, kadr::Redraw::None};
    });
    Bind("acCut", [this](Document& d) { return d.Cut(window_.Clipboard()); });
    const QString fewer = QStringLiteral("выделите меньше кадров или удалите лишние");
    BindGrowing("acPaste", QStringLiteral("удалите лишние кадры или скопируйте меньше"),
                [this](Document& d) { return d.Paste(window_.Clipboard()); });
    BindGrowing("acDuplicate", fewer, [](Document& d) { return d.Duplicate(); });
    BindGrowing("acPingPong", fewer, [](Document& d) { return d.PingPong(); });
    connect(window.Command(QStringLiteral("acRepeat")), &QAction::triggered, this,
            [this] { RunCommand([this] { acRepeatExecute(); }); });
    connect(window.Command(QStringLiteral("acSelectAll")), &QAction::triggered, this,
            [this] { window_.Doc().SelectAll(); });
    connect(window.Command(QStringLiteral("acSelectNone")), &QAction::triggered, this,
            [this] { window_.Doc().SelectCurrentOnly(); });
    connect(
        &window.Strip(), &FrameStrip::DropRequested, this, [this, fewer](int before, bool copy) {
            RunGrowing(fewer, [before, copy](Document& d) { return d.DropSelected(before, copy); });
        });
    connect(new DocumentEvents(window.Doc(), this), &DocumentEvents::Changed, this,
            [this](const DocumentChange& change) {
                if (change.Has(aspect::kSelection)) {
                    ShowSelectedCount();
                }
            });
}

void SelectionCommands::Bind(const char* name, const std::function<EditResult(Document&)>& edit) {
    connect(window_.Command(QString::fromLatin1(name)), &QAction::triggered, this,
            [this, edit] { window_.PerformEdit(edit); });
}

void SelectionCommands::BindGrowing(const char* name, const QString& advice,
                                    const std::function<EditResult(Document&)>& edit) {
    connect(window_.Command(QString::fromLatin1(name)), &QAction::triggered, this,
            [this, advice, edit] { RunGrowing(advice, edit); });
}

void SelectionCommands::RunGrowing(const QString& advice,
                                   const std::function<EditResult(Document&)>& edit) {
    window_.PerformEdit([&advice, &edit](Document& d) {
        const EditResult result = edit(d);
        if (result.status == EditStatus::Full) {
            throw Error(QStringLiteral("Кадров стало бы больше %1, а больше набор не вмещает. "
                                       "Ничего не изменено: %2")
                            .arg(kMaxFrames)
                            .arg(advice)
                            .toStdString());
        }
        return result;
    });
}

void SelectionCommands::acRepeatExecute() {
    QInputDialog dialog(&window_);
    dialog.setObjectName(QStringLiteral("RepeatFramesDialog"));
    dialog.setWindowTitle(QStringLiteral("Повторить кадры"));
    dialog.setLabelText(
        QStringLiteral("Сколько раз повторить каждый выделенный кадр (от %1 до %2):")
            .arg(Document::kMinRepeat)
            .arg(Document::kMaxRepeat));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(Document::kMinRepeat, Document::kMaxRepeat);
    dialog.setIntValue(repeatTimes_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    // The box keeps its value within the range whatever is typed; the model checks it again.
    repeatTimes_ = dialog.intValue();
    const int times = repeatTimes_;
    RunGrowing(QStringLiteral("выделите меньше кадров или повторите их меньше раз"),
               [times](Document& d) { return d.Repeat(times); });
}

void SelectionCommands::ShowSelectedCount() {
    const int count = window_.Doc().Selection().Count();
    QLabel* panel = window_.StatusPanel(2);
    panel->setText(count > 1 ? QStringLiteral("Выделено кадров: %1").arg(count) : QString());
    panel->setVisible(count > 1);
}

}  // namespace kadr::editor
