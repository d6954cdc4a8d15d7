#include "editor/dialogs/port_dialog.h"

#include <algorithm>
#include <functional>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "device/port_settings.h"
#include "device/upload.h"
#include "device/vss_comm32.h"
#include "editor/widgets/gap_label.h"

namespace kadr::editor {
namespace {

constexpr int kMinTimeoutSeconds = 1;
constexpr int kMaxTimeoutSeconds = 10;

// An editable list that says when its drop-down is about to open.
class PortBox : public QComboBox {
  public:
    std::function<void()> opening;

    void showPopup() override {
        if (opening) {
            opening();
        }
        QComboBox::showPopup();
    }
};

QComboBox* EditableList(QComboBox* list, const char* name, const QStringList& items,
                        const QString& text) {
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(true);
    // Enter in the box must not make the typed text an item: the items stand one for one for
    // the ports and speeds there are, and OK takes a choice by its place in the list.
    list->setInsertPolicy(QComboBox::NoInsert);
    list->addItems(items);
    list->setEditText(text);
    return list;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TfmParam::TfmParam(QWidget* parent, TVSSComm32* comm, TDeviceUpload* upload,
                   PortScan::Lister lister)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      comm_(comm),
      upload_(upload),
      port_(EditableList(new PortBox, "ComboBox1", {"Com1", "Com2", "Com3", "Com4"},
                         QStringLiteral("Com1"))),
      speed_(EditableList(new QComboBox, "ComboBox2",
                          {"110", "300", "600", "1200", "2400", "4800", "9600", "14400", "19200",
                           "38400", "56000", "57600", "115200", "128000", "256000"},
                          QStringLiteral("9600"))),
      timeout_(new QSpinBox),
      note_(new QLabel),
      refresh_(new QTimer(this)),
      scan_(
          std::move(lister), [this](const std::vector<SystemPort>& ports) { PortsListed(ports); },
          this) {
    setObjectName(QStringLiteral("TfmParam"));
    setWindowTitle(QStringLiteral("Параметры"));
    timeout_->setObjectName(QStringLiteral("SpinEdit1"));
    timeout_->setRange(kMinTimeoutSeconds, kMaxTimeoutSeconds);
    timeout_->setValue(3);
    // Wide enough for an adapter's name, such as "COM12 — USB-SERIAL CH340 (COM12)".
    port_->setMinimumContentsLength(24);
    port_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    static_cast<PortBox*>(port_)->opening = [this] { scan_.Start(); };
    note_->setObjectName(QStringLiteral("PortNote"));
    note_->setWordWrap(true);
    note_->hide();
    refresh_->setInterval(kRefreshMs);
    connect(refresh_, &QTimer::timeout, this, [this] { scan_.Start(); });

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Порт")), 0, 0);
    fields->addWidget(port_, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Скорость")), 1, 0);
    fields->addWidget(speed_, 1, 1);
    fields->addWidget(
        new GapLabel(QStringLiteral("Ожидание ответа"), 18, QStringLiteral("сек."), timeout_, this),
        2, 0, 1, 2);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("BitBtn2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(note_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FormCreate();
}

void TfmParam::FormCreate() {
    if (comm_ != nullptr) {
        ShowItems(PortItems({}, StoredPortMap(), comm_->ChosenPort()));
        if (const auto item = ItemNamedBy(items_, comm_->ChosenPort())) {
            port_->setCurrentIndex(static_cast<int>(*item));
        }
        speed_->setCurrentIndex(static_cast<int>(comm_->BaudRate));
    }
    if (upload_ != nullptr) {
        timeout_->setValue(std::clamp(upload_->SendTimeoutInterval() / 1000, kMinTimeoutSeconds,
                                      kMaxTimeoutSeconds));
    }
}

void TfmParam::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    offerLone_ = true;
    note_->hide();
    scan_.Start();
    refresh_->start();
}

void TfmParam::hideEvent(QHideEvent* event) {
    refresh_->stop();
    QDialog::hideEvent(event);
}

void TfmParam::PortsListed(const std::vector<SystemPort>& ports) {
    ++listings_;
    if (!listed_ || ports != present_) {
        present_ = ports;
        listed_ = true;
        // Keeps what the box shows as an item even when it is gone, so that a port chosen but
        // not yet applied does not slip to another one under the user's hands.
        const auto shown = ItemNamedBy(items_, port_->currentText().toStdString());
        std::string kept = shown ? items_[*shown].choice : std::string();
        if (kept.empty() && comm_ != nullptr) {
            kept = comm_->ChosenPort();
        }
        ShowItems(PortItems(present_, StoredPortMap(), kept));
    }
    if (offerLone_ && isVisible()) {
        offerLone_ = false;
        OfferLonePort();
    }
}

// Rebuilds the items, leaving the box as the user had it: the same port selected, or the text
// being typed with its cursor and selection.
void TfmParam::ShowItems(std::vector<PortItem> items) {
    QLineEdit* edit = port_->lineEdit();
    const QString typed = edit->text();
    const int cursor = edit->cursorPosition();
    const int selectionStart = edit->selectionStart();
    const int selectionLength = edit->selectedText().size();
    const bool onItem =
        port_->currentIndex() >= 0 && port_->itemText(port_->currentIndex()) == typed;
    const std::string selected =
        onItem ? port_->itemData(port_->currentIndex()).toString().toStdString() : std::string();

    items_ = std::move(items);
    const QSignalBlocker quiet(port_);
    port_->clear();
    for (const PortItem& item : items_) {
        port_->addItem(Text(listed_ ? item.Text() : item.label), Text(item.choice));
    }
    const int again = onItem ? port_->findData(Text(selected)) : -1;
    if (again >= 0) {
        port_->setCurrentIndex(again);
        return;
    }
    port_->setCurrentIndex(-1);
    edit->setText(typed);
    if (selectionStart >= 0) {
        edit->setSelection(selectionStart, selectionLength);
    } else {
        edit->setCursorPosition(cursor);
    }
}

void TfmParam::OfferLonePort() {
    if (comm_ == nullptr) {
        return;
    }
    const std::string stored = comm_->ChosenPort();
    const auto shown = ItemNamedBy(items_, port_->currentText().toStdString());
    // Only while the box still shows the stored port: a choice the user made stays.
    if (!shown || items_[*shown].choice != stored) {
        return;
    }
    const auto lone = LonePresentPort(items_, stored);
    if (!lone) {
        return;
    }
    port_->setCurrentIndex(static_cast<int>(*lone));
    note_->setText(Text(items_[*shown].label +
                        " не подключён; выбран единственный подключённый "
                        "порт: " +
                        items_[*lone].Text() + "."));
    note_->show();
}

void TfmParam::accept() {
    BitBtn1Click();
    QDialog::accept();
}

void TfmParam::BitBtn1Click() {
    // A typed text counts as a choice only when it names one of the items.
    const auto port = ItemNamedBy(items_, port_->currentText().toStdString());
    const int speed = speed_->findText(speed_->currentText().trimmed(), Qt::MatchFixedString);
    if (comm_ != nullptr && port) {
        comm_->ChoosePort(items_[*port].choice);
        port_->setCurrentIndex(static_cast<int>(*port));
    }
    if (comm_ != nullptr && speed >= 0 && speed < kBaudRateCount) {
        comm_->BaudRate = static_cast<TBaudRate>(speed);
    }
    // Text that is no number counts as the least time-out; a larger number typed and confirmed
    // with Enter is brought into range too, since the timer takes seconds from 1 to 10 only.
    bool number = false;
    int seconds = timeout_->text().trimmed().toInt(&number);
    seconds =
        std::clamp(number ? seconds : kMinTimeoutSeconds, kMinTimeoutSeconds, kMaxTimeoutSeconds);
    timeout_->setValue(seconds);
    if (upload_ != nullptr) {
        upload_->SetSendTimeoutInterval(seconds * 1000);
    }
}

}  // namespace kadr::editor
