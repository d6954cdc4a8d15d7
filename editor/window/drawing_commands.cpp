#include "editor/window/drawing_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QFileDialog>
#include <QSettings>

#include "editor/app/error_box.h"
#include "editor/app/form_storage.h"
#include "editor/dialogs/import_dialog.h"
#include "editor/strip/frame_strip.h"
#include "editor/window/main_window.h"
#include "frameset/errors.h"
#include "pictures/picture_reader.h"
#include "pictures/utf8_path.h"

namespace kadr::editor {
namespace {

const QString kOnionSkinValue = QStringLiteral("PrevFrame");

}  // namespace

DrawingCommands::DrawingCommands(TfmMain& window) : QObject(&window), window_(window) {
    acInvert = window.Command(QStringLiteral("acInvert"));
    acFlipHorizontal = window.Command(QStringLiteral("acFlipHorizontal"));
    acFlipVertical = window.Command(QStringLiteral("acFlipVertical"));
    acFrameLeft = window.Command(QStringLiteral("acFrameLeft"));
    acFrameRight = window.Command(QStringLiteral("acFrameRight"));
    acImport = window.Command(QStringLiteral("acImport"));
    acOnionSkin = window.Command(QStringLiteral("acOnionSkin"));
    const std::array<const char*, 5> toolNames{"tbToolDot", "tbToolLine", "tbToolRectangle",
                                               "tbToolBox", "tbToolFill"};
    for (std::size_t i = 0; i < tools.size(); ++i) {
        const Tool tool = static_cast<Tool>(i);
        tools[i] = window.Command(QString::fromLatin1(toolNames[i]));
        connect(tools[i], &QAction::triggered, this,
                [this, tool] { window_.Strip().SetTool(tool); });
    }
    tools[0]->setChecked(true);

    const auto edit = [this](QAction* action, EditResult (Document::*operation)()) {
        connect(action, &QAction::triggered, this, [this, operation] {
            window_.PerformEdit([operation](Document& d) { return (d.*operation)(); });
        });
    };
    edit(acInvert, &Document::Invert);
    edit(acFlipHorizontal, &Document::FlipHorizontal);
    edit(acFlipVertical, &Document::FlipVertical);
    // The moved frame stays current: the strip follows it, its button scrolled into view.
    edit(acFrameLeft, &Document::MoveFrameLeft);
    edit(acFrameRight, &Document::MoveFrameRight);
    connect(acImport, &QAction::triggered, this, &DrawingCommands::ChooseAndImport);

    acOnionSkin->setChecked(
        FormStorage::Store().value(QStringLiteral("TfmMain/") + kOnionSkinValue).toString() ==
        QStringLiteral("1"));
    window_.Strip().SetOnionSkin(acOnionSkin->isChecked());
    connect(acOnionSkin, &QAction::toggled, this, [this](bool on) {
        window_.Strip().SetOnionSkin(on);
        FormStorage::Store().setValue(QStringLiteral("TfmMain/") + kOnionSkinValue,
                                      on ? QStringLiteral("1") : QStringLiteral("0"));
    });
}

void DrawingCommands::ChooseAndImport() {
    QFileDialog dialog(&window_, QStringLiteral("Импорт изображения"));
    dialog.setObjectName(QStringLiteral("ImportOpenDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("Изображения (*.png *.bmp *.jpg *.jpeg *.gif)"),
                           QStringLiteral("Все файлы (*.*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    ImportPicture(dialog.selectedFiles().first());
}

void DrawingCommands::ImportPicture(const QString& path) {
    std::vector<PictureCells> pictures;
    bool read = false;
    RunCommand([&] {
        pictures = ReadPictures(Utf8Path(path));
        read = true;
    });
    if (!read) {
        return;
    }
    TfmImport options(std::move(pictures), kMaxFrames - window_.Doc().Set().FrameCount(), &window_);
    if (options.exec() != QDialog::Accepted) {
        return;
    }
    const std::vector<Frame> frames = options.Frames();
    window_.PerformEdit([&frames](Document& d) {
        const FrameSet& set = d.Set();
        const EditResult result = d.InsertFramesAfterCurrent(frames);
        if (result.status == EditStatus::Full) {
            throw Error(QStringLiteral("Изображение даёт %1 кадров, а в наборе есть место ещё для "
                                       "%2 (не более %3 кадров)")
                            .arg(frames.size())
                            .arg(kMaxFrames - set.FrameCount())
                            .arg(kMaxFrames)
                            .toStdString());
        }
        return result;
    });
}

}  // namespace kadr::editor
