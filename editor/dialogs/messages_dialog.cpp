#include "editor/dialogs/messages_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editor/app/error_box.h"
#include "editor/app/form_storage.h"
#include "editor/app/local_now.h"
#include "editor/dialogs/message_form.h"
#include "editor/dialogs/messages_texts.h"
#include "editor/dialogs/program_preview.h"
#include "frameset/messages/program_insertion.h"
#include "program_file/field_lines.h"
#include "program_file/program_file.h"

namespace kadr::editor {
namespace {

const QString kLastProgram = QStringLiteral("Messages/Program");
const QString kLastFolder = QStringLiteral("Messages/Folder");
const QString kFilter = QStringLiteral("Программы сообщений (*.json)");

// The program last accepted or saved; a new program when none is stored or it no longer reads.
kadr::messages::Program StoredProgram() {
    const QSettings settings = FormStorage::Store();
    try {
        return kadr::messages::ParseProgram(settings.value(kLastProgram).toString().toStdString());
    } catch (const Error&) {
        return {};
    }
}

QPushButton* Button(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

MessagesDialog::MessagesDialog(const Document& document, kadr::messages::FontSource& fonts,
                               QWidget* parent)
    : QDialog(parent),
      document_(document),
      fonts_(fonts),
      draft_(StoredProgram()),
      form_(new MessageForm),
      preview_(new ProgramPreview),
      speedNote_(new QLabel),
      summary_(new QLabel),
      buttons_(new QDialogButtonBox) {
    setObjectName(QStringLiteral("TfmMessages"));
    setWindowTitle(QStringLiteral("Сообщения"));
    seSpeed = new QSpinBox;
    seSpeed->setObjectName(QStringLiteral("seSpeed"));
    seSpeed->setRange(kMinSpeed, kMaxSpeed);
    seSpeed->setSuffix(QStringLiteral(" кадр./с"));
    // Time is counted at the document's speed; a program opened from a file brings its own.
    seSpeed->setValue(document.Set().SpeedAnim);
    speedNote_->setObjectName(QStringLiteral("lbSpeedNote"));
    speedNote_->setWordWrap(true);
    summary_->setObjectName(QStringLiteral("lbSummary"));
    summary_->setWordWrap(true);
    summary_->setMinimumHeight(2 * summary_->fontMetrics().lineSpacing() + 4);
    speedNote_->setMinimumHeight(2 * speedNote_->fontMetrics().lineSpacing() + 4);

    btOpenProgram = Button("btOpenProgram", QStringLiteral("Открыть программу..."));
    btSaveProgram = Button("btSaveProgram", QStringLiteral("Сохранить программу..."));
    buttons_->addButton(btOpenProgram, QDialogButtonBox::ActionRole);
    buttons_->addButton(btSaveProgram, QDialogButtonBox::ActionRole);
    ok_ = buttons_->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    buttons_->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(btOpenProgram, &QPushButton::clicked, this,
            [this] { RunCommand([this] { OpenProgram(); }); });
    connect(btSaveProgram, &QPushButton::clicked, this,
            [this] { RunCommand([this] { SaveProgram(); }); });

    auto* speedRow = new QHBoxLayout;
    auto* speedLabel = new QLabel(QStringLiteral("С&корость анимации:"));
    speedLabel->setBuddy(seSpeed);
    speedRow->addWidget(speedLabel);
    speedRow->addWidget(seSpeed);
    speedRow->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(form_);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(BuildList(), 1);
    top->addLayout(right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(speedRow);
    layout->addWidget(speedNote_);
    layout->addWidget(preview_, 0, Qt::AlignHCenter);
    layout->addWidget(summary_);
    layout->addWidget(buttons_);

    connect(form_, &MessageForm::Changed, this, [this] {
        draft_.SelectedMessage() = form_->Message();
        Replan();
    });
    connect(seSpeed, &QSpinBox::valueChanged, this, [this] { Replan(); });
    ShowList();
    ShowSelected();
    Replan();
    form_->edText->selectAll();
    form_->edText->setFocus();
}

MessagesDialog::~MessagesDialog() = default;

QWidget* MessagesDialog::BuildList() {
    auto* box = new QWidget;
    lbMessages = new QListWidget;
    lbMessages->setObjectName(QStringLiteral("lbMessages"));
    btAdd = Button("btAdd", QStringLiteral("&Добавить"));
    btRemove = Button("btRemove", QStringLiteral("&Удалить"));
    btUp = Button("btUp", QStringLiteral("В&верх"));
    btDown = Button("btDown", QStringLiteral("В&низ"));
    btDuplicate = Button("btDuplicate", QStringLiteral("Д&ублировать"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {btAdd, btRemove, btUp, btDown, btDuplicate}) {
        buttons->addWidget(b);
    }
    auto* caption = new QLabel(QStringLiteral("&Сообщения по порядку:"));
    caption->setBuddy(lbMessages);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(lbMessages);
    layout->addLayout(buttons);

    const auto listChange = [this](auto change) {
        return [this, change] {
            change(draft_);
            ShowList();
            ShowSelected();
            Replan();
        };
    };
    connect(btAdd, &QPushButton::clicked, this, listChange([](auto& d) { d.Add(); }));
    connect(btRemove, &QPushButton::clicked, this, listChange([](auto& d) { d.Remove(); }));
    connect(btUp, &QPushButton::clicked, this, listChange([](auto& d) { d.MoveUp(); }));
    connect(btDown, &QPushButton::clicked, this, listChange([](auto& d) { d.MoveDown(); }));
    connect(btDuplicate, &QPushButton::clicked, this, listChange([](auto& d) { d.Duplicate(); }));
    connect(lbMessages, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != draft_.Selected()) {
            draft_.Select(row);
            ShowSelected();
            Replan();
        }
    });
    return box;
}

void MessagesDialog::ShowList() {
    const QSignalBlocker quiet(lbMessages);
    const auto& messages = draft_.Current().messages;
    while (lbMessages->count() > static_cast<int>(messages.size())) {
        delete lbMessages->takeItem(lbMessages->count() - 1);
    }
    for (int i = 0; i < static_cast<int>(messages.size()); ++i) {
        if (i >= lbMessages->count()) {
            lbMessages->addItem(QString());
        }
        lbMessages->item(i)->setText(MessageListText(i, messages[static_cast<std::size_t>(i)]));
    }
    lbMessages->setCurrentRow(draft_.Selected());
    btRemove->setEnabled(draft_.Count() > 1);
    btUp->setEnabled(draft_.Selected() > 0);
    btDown->setEnabled(draft_.Selected() < draft_.Count() - 1);
}

void MessagesDialog::ShowSelected() {
    form_->SetMessage(draft_.SelectedMessage());
}

kadr::messages::Program MessagesDialog::Program() const {
    kadr::messages::Program program = draft_.Current();
    program.speedAnim = seSpeed->value();
    return program;
}

QString MessagesDialog::FieldFolder() const {
    const QString folder = FormStorage::Store().value(kLastFolder).toString();
    return folder.isEmpty() ? QDir::homePath() : folder;
}

kadr::messages::FilledProgram MessagesDialog::FilledProgram() const {
    return kadr::messages::FillProgramFields(
        Program(), {LocalNow(), kadr::messages::FieldLinesIn(FieldFolder().toStdString())});
}

void MessagesDialog::SetProgram(const kadr::messages::Program& program) {
    draft_ = kadr::messages::ProgramDraft(program);
    if (program.speedAnim) {
        const QSignalBlocker quiet(seSpeed);
        seSpeed->setValue(*program.speedAnim);
    }
    ShowList();
    ShowSelected();
    Replan();
}

// Runs on every change: the whole program planned again, shown and played.
void MessagesDialog::Replan() {
    // Played and counted with today's values, as OK would insert it.
    const kadr::messages::FilledProgram filled = FilledProgram();
    const kadr::messages::Program& program = filled.program;
    plan_ = kadr::messages::CheckProgram(document_, program, fonts_);
    const std::vector<Frame> frames = kadr::messages::PlannedFrames(plan_, kMaxFrames);
    std::copy(frames.begin(), frames.end(), previewSet_.Frames.begin());
    previewSet_.LastFrame = static_cast<int>(frames.size()) - 1;
    previewSet_.SetSpeedAnim(seSpeed->value());
    previewSet_.SetSpeedRow(document_.Set().SpeedRow);
    preview_->SetFrames(previewSet_);

    const int selected = draft_.Selected();
    lbMessages->item(selected)->setText(
        MessageListText(selected, draft_.Current().messages[static_cast<std::size_t>(selected)]));
    const auto& plan = plan_.messages[static_cast<std::size_t>(selected)];
    form_->SetTiming(MessageTimingText(plan, program.messages[static_cast<std::size_t>(selected)],
                                       seSpeed->value()));
    form_->lbTiming->setStyleSheet(plan.refusal != kadr::messages::Refusal::None
                                       ? QStringLiteral("color: #b00000;")
                                       : QString());
    speedNote_->setText(SpeedNoteText(seSpeed->value()));
    QString summary = ProgramSummaryText(plan_, program);
    if (filled.failedMessage >= 0) {
        summary += QLatin1Char(' ') + FieldErrorWords(filled.failedMessage, filled.error);
    }
    summary_->setText(summary);
    const bool refused =
        plan_.refusal != kadr::messages::Refusal::None || filled.failedMessage >= 0;
    summary_->setStyleSheet(refused ? QStringLiteral("color: #b00000;") : QString());
    ok_->setEnabled(!refused);
}

bool MessagesDialog::CanAccept() const {
    return ok_->isEnabled();
}

void MessagesDialog::Remember() const {
    QSettings settings = FormStorage::Store();
    settings.setValue(kLastProgram, QString::fromStdString(kadr::messages::ProgramJson(Program())));
}

void MessagesDialog::accept() {
    if (!CanAccept()) {
        return;
    }
    Remember();
    QDialog::accept();
}

void MessagesDialog::OpenProgram() {
    QSettings settings = FormStorage::Store();
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Открыть программу"), settings.value(kLastFolder).toString(), kFilter);
    if (path.isEmpty()) {
        return;
    }
    settings.setValue(kLastFolder, QFileInfo(path).absolutePath());
    try {
        SetProgram(kadr::messages::ReadProgramFile(path.toStdString()));
    } catch (const Error& e) {
        ShowErrorBox(QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(),
                                                  QString::fromStdString(e.what())));
    }
}

void MessagesDialog::SaveProgram() {
    QSettings settings = FormStorage::Store();
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить программу"),
                                                settings.value(kLastFolder).toString(), kFilter);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".json");
    }
    settings.setValue(kLastFolder, QFileInfo(path).absolutePath());
    kadr::messages::WriteProgramFile(path.toStdString(), Program());
    Remember();
}

}  // namespace kadr::editor
