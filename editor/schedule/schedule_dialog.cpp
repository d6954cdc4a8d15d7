#include "editor/schedule/schedule_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "editor/app/error_box.h"
#include "editor/app/form_storage.h"
#include "editor/app/local_now.h"
#include "editor/schedule/schedule_platform.h"
#include "editor/schedule/schedule_process.h"
#include "editor/schedule/schedule_table.h"
#include "program_file/schedule_file.h"
#include "program_file/show_sets.h"

namespace kadr::editor {
namespace {

using kadr::schedule::kDefault;

const QString kLastSchedule = QStringLiteral("Schedule/File");
const QString kScheduleFilter = QStringLiteral("Расписания (*.json)");
const QString kShowFilter = QStringLiteral(
    "Что показывать (*.kdz *.bin *.json);;Файлы табло (*.kdz *.bin);;Программы "
    "сообщений (*.json)");
constexpr int kLogLines = 8;

QPushButton* Button(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

void Red(QLabel* label, bool red) {
    label->setStyleSheet(red ? QStringLiteral("color: #b00000;") : QString());
}

}  // namespace

TfmSchedule::TfmSchedule(ScheduleProcess& process, kadr::messages::FontSource& fonts,
                         QWidget* parent)
    : QDialog(parent), process_(process), fonts_(fonts) {
    setObjectName(QStringLiteral("TfmSchedule"));
    setWindowTitle(QStringLiteral("Расписание"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildEntries(), 1);
    layout->addWidget(BuildRun());
    layout->addWidget(buttons);
    resize(760, 560);

    connect(&process_, &ScheduleProcess::Changed, this, [this] { Refresh(); });
    // "Now" and "next" follow the clock; a second is as fine as the schedule's minutes need.
    connect(&clock_, &QTimer::timeout, this, [this] { Refresh(); });
    clock_.start(1000);

    const QString last = process_.Running() ? process_.Schedule()
                                            : FormStorage::Store().value(kLastSchedule).toString();
    if (!last.isEmpty() && QFileInfo::exists(last)) {
        RunCommand([&] { Load(last); });
    } else {
        Edited();
    }
}

TfmSchedule::~TfmSchedule() = default;

QWidget* TfmSchedule::BuildEntries() {
    auto* box = new QWidget;
    table_ = new ScheduleTable;
    btAdd = Button("btAdd", QStringLiteral("&Добавить"));
    btRemove = Button("btRemove", QStringLiteral("&Удалить"));
    btUp = Button("btUp", QStringLiteral("В&верх"));
    btDown = Button("btDown", QStringLiteral("В&низ"));
    btShow = Button("btShow", QStringLiteral("&Файл..."));
    edDefault = new QLineEdit;
    edDefault->setObjectName(QStringLiteral("edDefault"));
    edDefault->setPlaceholderText(QStringLiteral("пусто — табло тёмное"));
    btDefault = Button("btDefault", QStringLiteral("Ф&айл..."));
    lbNow = new QLabel;
    lbNow->setObjectName(QStringLiteral("lbNow"));
    lbNow->setWordWrap(true);
    lbNext = new QLabel;
    lbNext->setObjectName(QStringLiteral("lbNext"));

    auto* rowButtons = new QHBoxLayout;
    for (QPushButton* b : {btAdd, btRemove, btUp, btDown, btShow}) {
        rowButtons->addWidget(b);
    }
    rowButtons->addStretch();
    auto* defaultRow = new QHBoxLayout;
    auto* defaultLabel = new QLabel(QStringLiteral("В остальное &время:"));
    defaultLabel->setBuddy(edDefault);
    defaultRow->addWidget(defaultLabel);
    defaultRow->addWidget(edDefault, 1);
    defaultRow->addWidget(btDefault);

    auto* caption = new QLabel(QStringLiteral("&Строки расписания (первая подходящая главнее):"));
    caption->setBuddy(table_);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(table_, 1);
    layout->addLayout(rowButtons);
    layout->addLayout(defaultRow);
    layout->addWidget(lbNow);
    layout->addWidget(lbNext);

    connect(btAdd, &QPushButton::clicked, table_, &ScheduleTable::AddRow);
    connect(btRemove, &QPushButton::clicked, table_, &ScheduleTable::RemoveRow);
    connect(btUp, &QPushButton::clicked, table_, [this] { table_->MoveRow(-1); });
    connect(btDown, &QPushButton::clicked, table_, [this] { table_->MoveRow(1); });
    connect(btShow, &QPushButton::clicked, this, [this] { RunCommand([this] { ChooseShow(); }); });
    connect(btDefault, &QPushButton::clicked, this,
            [this] { RunCommand([this] { ChooseDefault(); }); });
    connect(table_, &ScheduleTable::Edited, this, [this] { Edited(); });
    connect(edDefault, &QLineEdit::textChanged, this, [this] { Edited(); });
    return box;
}

QWidget* TfmSchedule::BuildRun() {
    auto* box = new QWidget;
    lbFile = new QLabel;
    lbFile->setObjectName(QStringLiteral("lbFile"));
    btOpen = Button("btOpen", QStringLiteral("&Открыть расписание..."));
    btSave = Button("btSave", QStringLiteral("&Сохранить расписание..."));
    btStart = Button("btStart", QStringLiteral("&Запустить"));
    btStop = Button("btStop", QStringLiteral("&Остановить"));
    lbState = new QLabel;
    lbState->setObjectName(QStringLiteral("lbState"));
    cbLogon = new QCheckBox(QStringLiteral("Запускать при входе в Windows"));
    cbLogon->setObjectName(QStringLiteral("cbLogon"));
    if (!StartAtLogonAvailable()) {
        cbLogon->setEnabled(false);
        cbLogon->setToolTip(QStringLiteral(
            "Только в Windows. В Linux расписание при входе запускает пользовательская служба "
            "systemd (см. README)."));
    }
    edLog = new QPlainTextEdit;
    edLog->setObjectName(QStringLiteral("edLog"));
    edLog->setReadOnly(true);
    edLog->setMaximumBlockCount(kLogLines);
    edLog->setFixedHeight(edLog->fontMetrics().lineSpacing() * (kLogLines + 1));

    auto* files = new QHBoxLayout;
    files->addWidget(lbFile, 1);
    files->addWidget(btOpen);
    files->addWidget(btSave);
    auto* run = new QHBoxLayout;
    run->addWidget(btStart);
    run->addWidget(btStop);
    run->addWidget(lbState, 1);
    run->addWidget(cbLogon);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(files);
    layout->addLayout(run);
    layout->addWidget(edLog);

    connect(btOpen, &QPushButton::clicked, this,
            [this] { RunCommand([this] { OpenSchedule(); }); });
    connect(btSave, &QPushButton::clicked, this,
            [this] { RunCommand([this] { SaveSchedule(); }); });
    connect(btStart, &QPushButton::clicked, this,
            [this] { RunCommand([this] { StartSchedule(); }); });
    connect(btStop, &QPushButton::clicked, this,
            [this] { RunCommand([this] { StopSchedule(); }); });
    connect(cbLogon, &QCheckBox::clicked, this, [this](bool on) { SetLogon(on); });
    return box;
}

kadr::schedule::Schedule TfmSchedule::CurrentSchedule() const {
    kadr::schedule::Schedule schedule = loaded_;
    schedule.entries = table_->Entries().entries;
    const QString fallback = edDefault->text().trimmed();
    schedule.defaultShow =
        fallback.isEmpty() ? std::nullopt : std::optional(fallback.toStdString());
    return schedule;
}

void TfmSchedule::Edited() {
    week_.emplace(CurrentSchedule());
    CountFrames();
    Refresh();
}

// The frames each row's file makes now: what the unit would receive.
void TfmSchedule::CountFrames() {
    const kadr::schedule::Schedule schedule = CurrentSchedule();
    const std::string base =
        (path_.isEmpty() ? QDir::current().filePath(QStringLiteral("x")) : path_).toStdString();
    for (int row = 0; row < table_->rowCount(); ++row) {
        const std::string show =
            table_->item(row, ScheduleTable::kShowColumn)->text().trimmed().toStdString();
        if (show.empty()) {
            table_->ShowFrames(row, 0, QStringLiteral("Не выбран файл"));
            continue;
        }
        const kadr::schedule::ShowSet made = kadr::schedule::MakeShowSet(
            kadr::schedule::ShowPath(base, show), schedule, LocalNow(), fonts_);
        table_->ShowFrames(row, made.set ? made.set->FrameCount() : 0,
                           QString::fromStdString(made.error));
    }
}

QString TfmSchedule::EntryWords(int entry) const {
    const kadr::schedule::Schedule schedule = CurrentSchedule();
    if (entry == kDefault) {
        return schedule.defaultShow ? QStringLiteral("в остальное время — %1")
                                          .arg(QString::fromStdString(*schedule.defaultShow))
                                    : QStringLiteral("табло тёмное");
    }
    return QStringLiteral("строка %1 — %2")
        .arg(entry + 1)
        .arg(QString::fromStdString(schedule.entries[static_cast<std::size_t>(entry)].show));
}

void TfmSchedule::Refresh() {
    const ScheduleTable::Reading reading = table_->Entries();
    if (week_) {
        const kadr::schedule::LocalSeconds now = LocalNow();
        lbNow->setText(reading.badRow >= 0
                           ? reading.bad
                           : QStringLiteral("Сейчас: %1.").arg(EntryWords(week_->InForce(now))));
        Red(lbNow, reading.badRow >= 0);
        const std::optional<kadr::schedule::LocalSeconds> next = week_->NextChange(now);
        lbNext->setText(next ? QStringLiteral("Следующая смена: %1 %2, %3.")
                                   .arg(QString::fromStdString(kadr::schedule::DateText(*next)),
                                        QString::fromStdString(kadr::schedule::ClockText(*next)),
                                        EntryWords(week_->InForce(*next)))
                             : QStringLiteral("Смен нет: всю неделю показывается одно и то же."));
    }
    lbFile->setText(path_.isEmpty()
                        ? QStringLiteral("Расписание не сохранено.")
                        : QStringLiteral("Файл: %1").arg(QDir::toNativeSeparators(path_)));
    const bool running = process_.Running();
    lbState->setText(
        running ? QStringLiteral("Работает: %1").arg(QFileInfo(process_.Schedule()).fileName())
                : QStringLiteral("Не запущено."));
    btStart->setEnabled(!running);
    btStop->setEnabled(running);
    const QStringList& lines = process_.Lines();
    const QString text = lines.mid(std::max<qsizetype>(0, lines.size() - kLogLines)).join('\n');
    if (edLog->toPlainText() != text) {
        edLog->setPlainText(text);
        edLog->verticalScrollBar()->setValue(edLog->verticalScrollBar()->maximum());
    }
}

void TfmSchedule::Load(const QString& path) {
    kadr::schedule::Schedule schedule;
    try {
        schedule = kadr::schedule::ReadScheduleFile(path.toStdString());
    } catch (const Error& e) {
        throw Error(QFileInfo(path).fileName().toStdString() + ": " + e.what());
    }
    path_ = path;
    loaded_ = schedule;
    {
        const QSignalBlocker quiet(edDefault);
        edDefault->setText(QString::fromStdString(schedule.defaultShow.value_or("")));
    }
    table_->SetEntries(schedule.entries);
    const QSignalBlocker quiet(cbLogon);
    cbLogon->setChecked(StartsAtLogon(path_));
    FormStorage::Store().setValue(kLastSchedule, path_);
}

QString TfmSchedule::ChooseFile(const QString& title) {
    const QString folder = path_.isEmpty() ? QString() : QFileInfo(path_).absolutePath();
    const QString chosen = QFileDialog::getOpenFileName(this, title, folder, kShowFilter);
    if (chosen.isEmpty() || path_.isEmpty()) {
        return chosen;
    }
    // Beside the schedule a name is kept relative, so that the folder can move as a whole.
    const QString relative = QFileInfo(path_).absoluteDir().relativeFilePath(chosen);
    return relative.startsWith(QStringLiteral("..")) ? chosen : relative;
}

void TfmSchedule::ChooseShow() {
    const int row = table_->currentRow();
    if (row < 0) {
        throw Error("Выберите строку расписания");
    }
    const QString chosen = ChooseFile(QStringLiteral("Что показывать"));
    if (!chosen.isEmpty()) {
        table_->SetShow(row, chosen);
    }
}

void TfmSchedule::ChooseDefault() {
    const QString chosen = ChooseFile(QStringLiteral("Что показывать в остальное время"));
    if (!chosen.isEmpty()) {
        edDefault->setText(chosen);
    }
}

void TfmSchedule::OpenSchedule() {
    const QString folder = path_.isEmpty() ? QString() : QFileInfo(path_).absolutePath();
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Открыть расписание"),
                                                      folder, kScheduleFilter);
    if (!path.isEmpty()) {
        Load(path);
    }
}

bool TfmSchedule::SaveSchedule() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить расписание"), path_,
                                                kScheduleFilter);
    if (path.isEmpty()) {
        return false;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".json");
    }
    return SaveTo(path);
}

bool TfmSchedule::SaveTo(const QString& path) {
    const ScheduleTable::Reading reading = table_->Entries();
    if (reading.badRow >= 0) {
        throw Error(reading.bad.toStdString() + " Расписание не сохранено");
    }
    kadr::schedule::WriteScheduleFile(path.toStdString(), CurrentSchedule());
    path_ = path;
    FormStorage::Store().setValue(kLastSchedule, path_);
    Edited();
    return true;
}

void TfmSchedule::StartSchedule() {
    // What runs is what is shown: the file is written first.
    if (path_.isEmpty() ? !SaveSchedule() : !SaveTo(path_)) {
        return;
    }
    process_.Start(path_);
}

void TfmSchedule::StopSchedule() {
    process_.Stop();
    Refresh();
}

void TfmSchedule::SetLogon(bool on) {
    RunCommand([&] {
        const QSignalBlocker quiet(cbLogon);
        cbLogon->setChecked(!on);
        if (path_.isEmpty() && !SaveSchedule()) {
            return;
        }
        SetStartAtLogon(path_, on);
        cbLogon->setChecked(on);
    });
}

}  // namespace kadr::editor
