#include "editor/window/main_window.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "device/comms_error.h"
#include "device/port_failure_text.h"
#include "device/port_listing.h"
#include "device/port_settings.h"
#include "editor/app/document_events.h"
#include "editor/app/error_box.h"
#include "editor/app/startup_settings.h"
#include "editor/app/system_clipboard.h"
#include "editor/commands/command_declarations.h"
#include "editor/commands/command_set.h"
#include "editor/dialogs/port_dialog.h"
#include "editor/files/recent_file_list.h"
#include "editor/schedule/schedule_command.h"
#include "editor/strip/frame_strip.h"
#include "editor/window/drawing_commands.h"
#include "editor/window/messages_command.h"
#include "editor/window/preview_command.h"
#include "editor/window/selection_commands.h"
#include "editor/window/shortcut_passage.h"
#include "editor/window/speed_box.h"

namespace kadr::editor {
namespace {

const QString kCaptionPrefix = QStringLiteral("Кадрописец - ");

}  // namespace

TfmMain::TfmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TfmMain"));
    // The line to the display unit: its port and speed are stored settings.
    VSSComm321.CommPort = TCommPort::Com1;
    VSSComm321.BaudRate = TBaudRate::__56000;
    SetDisplayUnitLine(VSSComm321);
    BuildLayout();
    ConnectCommands();
    FormCreate();
}

TfmMain::~TfmMain() {
    FormDestroy();
    // The child widgets outlive the document: a speed box losing the focus as it goes must not
    // reach back into it.
    for (QObject* sender : std::initializer_list<QObject*>{bottom_.seSpeedAnim, bottom_.seSpeedRow,
                                                           bottom_.rbFlag1, strip_}) {
        sender->disconnect(this);
    }
}

void TfmMain::BuildLayout() {
    setWindowTitle(kCaptionPrefix + QStringLiteral("Без названия"));
    // The window is laid out for an 8-point font, the scale list's 56 pixels included.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    commandSet_ = std::make_unique<CommandSet>(*this);
    commands_ = NamedCommands(*commandSet_);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    recentFiles_ = new RecentFileList(PopupMenu1);
    BuildMenus(*this, *commandSet_);
    PopupMenu2 = FindMenu(*this, QString::fromLatin1(kFrameKindMenu));
    toolBar_ = CreateToolBar(*this, *commandSet_, PopupMenu1);
    status_ = CreateStatusBar(*this);

    auto* central = new QWidget(this);
    Panel1 = new QWidget(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(215);
    // The kind shortcuts work while a grid of the strip has the focus.
    Panel1->addActions(commandSet_->FrameGrid());
    ScrollBar1 = new QScrollBar(Qt::Horizontal, central);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setFixedHeight(16);
    ScrollBar1->setSingleStep(1);
    ScrollBar1->setPageStep(1);
    bottom_ = CreateBottomPanel(central);

    auto* bands = new QVBoxLayout(central);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);
    bands->addWidget(Panel1);
    bands->addWidget(ScrollBar1);
    bands->addWidget(bottom_.Panel2, 1);
    setCentralWidget(central);

    auto* passage = new ShortcutPassage(commandSet_->Everywhere(), this);
    passage->Watch(bottom_.seSpeedAnim);
    passage->Watch(bottom_.seSpeedRow);

    strip_ = new FrameStrip(document_, Panel1, ScrollBar1, PopupMenu2);
    uploadPresenter_ = std::make_unique<UploadPresenter>(bottom_.RxSpeedButton1, status_.Panel1,
                                                         status_.UploadProgress);
    upload_ = std::make_unique<TDeviceUpload>(document_.Set(), VSSComm321, *uploadPresenter_);
    connect(strip_, &FrameStrip::FrameCountChanged, status_.Panel0, &QLabel::setText);
    connect(new DocumentEvents(document_, this), &DocumentEvents::Changed, this,
            &TfmMain::FollowDocument);
    TrackUnrecordedChanges();
    new PreviewCommand(*this);
    new MessagesCommand(*this);
    new ScheduleCommand(*this);
    drawing_ = new DrawingCommands(*this);
    new SelectionCommands(*this);

    resize(598, 386);
    move(298, 246);
}

void TfmMain::FormCreate() {
    FormStorage1.Window = this;
    SetSettingsApplication(FormStorage::ProgramName().toStdString());
    FormStorage1.OnRestoreProperties = [this](QSettings& s) { FormStorage1RestoreProperties(s); };
    FormStorage1.OnSaveProperties = [this](QSettings& s) { FormStorage1SaveProperties(s); };
    FormStorage1.OnRestorePlacement = [this](QSettings& s) { FormStorage1RestorePlacement(s); };
    FormStorage1.OnSavePlacement = [this](QSettings& s) { FormStorage1SavePlacement(s); };
    FormStorage1.RestoreFormPlacement();
    strip_->ClearRebuildGuard();
    FrameSet& set = document_.Set();
    set.FillAllBlank();
    set.FileName.clear();
    set.CurFrame = 0;
    ScrollBar1->setMaximum(0);
    ScrollBar1->setEnabled(false);
    // A new document's history is empty; the actions show it.
    UpdateUndoActions();
    toolBar_.cbMashtab->setCurrentIndex(0);
    if (!ClipboardFormat().isEmpty()) {
        systemClipboard_ =
            std::make_unique<SystemClipboard>(ClipboardFormat(), FramesClipboardFormat());
        clipboard_ = systemClipboard_.get();
    }
    // The upload keeps its buffer of frame records itself (TDeviceUpload), made with the window.
}

void TfmMain::FormDestroy() {
    FormStorage1.SaveFormPlacement();
}

void TfmMain::FormStorage1RestoreProperties(QSettings& settings) {
    PortSettings port{VSSComm321.ChosenPort(), VSSComm321.BaudRate, upload_->SendTimeoutInterval()};
    RestorePortSettings(settings, port);
    VSSComm321.ChoosePort(port.Port);
    VSSComm321.BaudRate = port.BaudRate;
    upload_->SetSendTimeoutInterval(port.SendTimeoutInterval);
}

void TfmMain::FormStorage1SaveProperties(QSettings& settings) {
    SavePortSettings(settings, PortSettings{VSSComm321.ChosenPort(), VSSComm321.BaudRate,
                                            upload_->SendTimeoutInterval()});
}

void TfmMain::RxSpeedButton1Click() {
    // The handshake carries the speeds and orientation as the user left them.
    CommitDocumentSettings();
    try {
        upload_->RxSpeedButton1Click();
    } catch (const ECommsError& e) {
        // The component's own text first, then why in the user's words: a port that is not
        // there is told with those that are.
        const std::string advice =
            PortFailureAdvice(e.Reason(), e.SystemError(),
                              PortLabel(VSSComm321.ChosenPort(), VSSComm321.DeviceName()),
                              VSSComm321.DeviceName(), ListSystemPorts());
        ShowErrorBox(ErrorBoxText(QString::fromUtf8(e.what())) + QLatin1Char('\n') +
                     QString::fromStdString(advice));
    }
}

void TfmMain::FormStorage1RestorePlacement(QSettings& settings) {
    recentFiles_->Restore(settings);
}

void TfmMain::FormStorage1SavePlacement(QSettings& settings) {
    recentFiles_->Save(settings);
}

void TfmMain::AttachWindows(TfmNew* fmNew, TfmStsMessage* fmStsMessage, TfmParam* fmParam) {
    fmNew_ = fmNew;
    fmStsMessage_ = fmStsMessage;
    fmParam_ = fmParam;
    uploadPresenter_->SetStatusWindow(fmStsMessage);
}

int TfmMain::CellSize() const {
    return 10 - toolBar_.cbMashtab->currentIndex();
}

void TfmMain::RebuildFrameStrip(int cellSize) {
    strip_->RebuildFrameStrip(cellSize);
}

void TfmMain::RefreshGrids() {
    strip_->RefreshGrids();
}

void TfmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfmMain::FormResize() {
    // The bands inside the window may not have their new widths yet (the first time, when the
    // window is shown, they have none): lay them out now, since the strip is built for its width.
    centralWidget()->layout()->activate();
    RebuildFrameStrip(CellSize());
}

void TfmMain::cbMashtabChange() {
    RebuildFrameStrip(CellSize());
}

void TfmMain::N12Click() {
    if (fmParam_ != nullptr) {
        fmParam_->exec();
    }
}

void TfmMain::FollowDocument(const DocumentChange& change) {
    if (change.Has(aspect::kHistory)) {
        UpdateUndoActions();
    }
    if (change.Has(aspect::kFile)) {
        SetTitledCaption();
    }
}

void TfmMain::UpdateUndoActions() {
    commandSet_->UpdateEnabled(document_);
}

QLabel* TfmMain::StatusPanel(int index) const {
    switch (index) {
        case 0:
            return status_.Panel0;
        case 1:
            return status_.Panel1;
        default:
            return status_.Selected;
    }
}

QAction* TfmMain::Command(const QString& name) const {
    return commandSet_->Command(name);
}

}  // namespace kadr::editor
