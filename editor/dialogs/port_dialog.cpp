#include "editor/dialogs/port_dialog.h"

#include <algorithm>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "device/upload.h"
#include "device/vss_comm32.h"
#include "editor/window/gap_label.h"

namespace kadr::editor {
namespace {

constexpr int kMinTimeoutSeconds = 1;
constexpr int kMaxTimeoutSeconds = 10;

QComboBox* EditableList(const char* name, const QStringList& items, const QString& text) {
    auto* list = new QComboBox;
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(true);
    // Enter in the box must not make the typed text an item: the items stand one for one for
    // the ports and speeds there are, and OK takes a choice by its place in the list.
    list->setInsertPolicy(QComboBox::NoInsert);
    list->addItems(items);
    list->setEditText(text);
    return list;
}

}  // namespace

TfmParam::TfmParam(QWidget* parent, TVSSComm32* comm, TDeviceUpload* upload)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      comm_(comm),
      upload_(upload),
      port_(EditableList("ComboBox1", {"Com1", "Com2", "Com3", "Com4"}, QStringLiteral("Com1"))),
      speed_(EditableList("ComboBox2",
                          {"110", "300", "600", "1200", "2400", "4800", "9600", "14400", "19200",
                           "38400", "56000", "57600", "115200", "128000", "256000"},
                          QStringLiteral("9600"))),
      timeout_(new QSpinBox) {
    setObjectName(QStringLiteral("TfmParam"));
    setWindowTitle(QStringLiteral("Параметры"));
    timeout_->setObjectName(QStringLiteral("SpinEdit1"));
    timeout_->setRange(kMinTimeoutSeconds, kMaxTimeoutSeconds);
    timeout_->setValue(3);

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
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FormCreate();
}

void TfmParam::FormCreate() {
    if (comm_ != nullptr) {
        port_->setCurrentIndex(static_cast<int>(comm_->CommPort));
        speed_->setCurrentIndex(static_cast<int>(comm_->BaudRate));
    }
    if (upload_ != nullptr) {
        timeout_->setValue(std::clamp(upload_->SendTimeoutInterval() / 1000, kMinTimeoutSeconds,
                                      kMaxTimeoutSeconds));
    }
}

void TfmParam::accept() {
    BitBtn1Click();
    QDialog::accept();
}

void TfmParam::BitBtn1Click() {
    // A typed text counts as a choice only when it is one of the items.
    const int port = port_->findText(port_->currentText().trimmed(), Qt::MatchFixedString);
    const int speed = speed_->findText(speed_->currentText().trimmed(), Qt::MatchFixedString);
    if (comm_ != nullptr && port >= 0 && port < kCommPortCount) {
        comm_->CommPort = static_cast<TCommPort>(port);
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
