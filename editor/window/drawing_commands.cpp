#include "editor/window/drawing_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

#include "editor/app/error_box.h"
#include "editor/app/form_storage.h"
#include "editor/dialogs/import_dialog.h"
#include "editor/strip/frame_strip.h"
#include "editor/tools/tool_icons.h"
#include "editor/window/main_window.h"
#include "editor/window/menu_lookup.h"
#include "editor/window/shortcut_passage.h"
#include "editor/window/speed_box.h"
#include "frameset/errors.h"
#include "pictures/picture_reader.h"

namespace kadr::editor {
namespace {

const QString kOnionSkinValue = QStringLiteral("PrevFrame");

QAction* Make(QObject* owner, const char* name, const QString& caption,
              const QKeySequence& shortcut = {}) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(caption);
    action->setShortcut(shortcut);
    return action;
}

}  // namespace

DrawingCommands::DrawingCommands(TfmMain& window)
    : QObject(&window), window_(window), toolGroup_(new QActionGroup(this)) {
    acInvert = Make(this, "acInvert", QStringLiteral("Инвертировать"));
    acFlipHorizontal = Make(this, "acFlipHorizontal", QStringLiteral("Отразить по горизонтали"));
    acFlipVertical = Make(this, "acFlipVertical", QStringLiteral("Отразить по вертикали"));
    acFrameLeft = Make(this, "acFrameLeft", QStringLiteral("Кадр влево"),
                       Qt::CTRL | Qt::SHIFT | Qt::Key_Left);
    acFrameRight = Make(this, "acFrameRight", QStringLiteral("Кадр вправо"),
                        Qt::CTRL | Qt::SHIFT | Qt::Key_Right);
    acImport = Make(this, "acImport", QStringLiteral("Импорт изображения..."));
    acOnionSkin = Make(this, "acOnionSkin", QStringLiteral("Предыдущий кадр"));
    acOnionSkin->setCheckable(true);

    const std::array<std::pair<const char*, QString>, 5> toolNames{{
        {"tbToolDot", QStringLiteral("Точка")},
        {"tbToolLine", QStringLiteral("Линия")},
        {"tbToolRectangle", QStringLiteral("Прямоугольник")},
        {"tbToolBox", QStringLiteral("Закрашенный прямоугольник")},
        {"tbToolFill", QStringLiteral("Заливка")},
    }};
    for (std::size_t i = 0; i < tools.size(); ++i) {
        const Tool tool = static_cast<Tool>(i);
        tools[i] = Make(this, toolNames[i].first, toolNames[i].second);
        tools[i]->setCheckable(true);
        tools[i]->setIcon(ToolIcon(tool));
        toolGroup_->addAction(tools[i]);
        connect(tools[i], &QAction::triggered, this,
                [this, tool] { window_.Strip().SetTool(tool); });
    }
    toolGroup_->setExclusive(true);
    tools[0]->setChecked(true);

    // The frame moves work whichever control of the window has the focus, the speed boxes
    // included, which would otherwise take Ctrl+Shift+arrow for selecting text.
    window.addAction(acFrameLeft);
    window.addAction(acFrameRight);
    auto* passage = new ShortcutPassage({acFrameLeft, acFrameRight}, this);
    passage->Watch(window.Bottom().seSpeedAnim);
    passage->Watch(window.Bottom().seSpeedRow);

    const auto edit = [this](QAction* action, EditResult (Document::*operation)()) {
        connect(action, &QAction::triggered, this, [this, operation] {
            window_.PerformEdit([operation](Document& d) { return (d.*operation)(); });
        });
    };
    edit(acInvert, &Document::Invert);
    edit(acFlipHorizontal, &Document::FlipHorizontal);
    edit(acFlipVertical, &Document::FlipVertical);
    for (const auto& move : {std::pair{acFrameLeft, &Document::MoveFrameLeft},
                             std::pair{acFrameRight, &Document::MoveFrameRight}}) {
        const auto operation = move.second;
        connect(move.first, &QAction::triggered, this, [this, operation] {
            window_.PerformEdit([operation](Document& d) { return (d.*operation)(); });
            // The moved frame stays current: its button follows it, scrolled into view.
            window_.Strip().ShowCurrentFrame();
        });
    }
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

    AddToMenus();
    AddToToolBar();
}

void DrawingCommands::AddToMenus() {
    QMenuBar& bar = *window_.menuBar();
    if (QMenu* file = MenuTitled(bar, QStringLiteral("&Файл"))) {
        file->addSeparator();
        file->addAction(acImport);
    }
    if (QMenu* edit = MenuTitled(bar, QStringLiteral("&Правка"))) {
        edit->addSeparator();
        edit->addActions({acInvert, acFlipHorizontal, acFlipVertical});
        edit->addSeparator();
        edit->addActions({acFrameLeft, acFrameRight});
    }
    ViewMenu(bar)->addAction(acOnionSkin);
}

void DrawingCommands::AddToToolBar() {
    auto* bar = window_.findChild<QToolBar*>(QStringLiteral("ToolBar1"));
    if (bar == nullptr) {
        return;
    }
    bar->addSeparator();
    for (QAction* tool : tools) {
        bar->addAction(tool);
        bar->widgetForAction(tool)->setObjectName(tool->objectName());
    }
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
    std::vector<GreyPicture> pictures;
    bool read = false;
    RunCommand([&] {
        pictures = ReadPictures(path.toStdString());
        read = true;
    });
    if (!read) {
        return;
    }
    TfmImport options(std::move(pictures), &window_);
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
        return EditResult{result.status, kadr::Redraw::None};
    });
    window_.Strip().RebuildShowingCurrent(window_.CellSize());
}

}  // namespace kadr::editor
