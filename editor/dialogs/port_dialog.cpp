#include "editor/dialogs/port_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editor/window/gap_label.h"

namespace kadr::editor {
namespace {

QComboBox* EditableList(const char* name, const QStringList& items, const QString& text) {
    auto* list = new QComboBox;
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(true);
    list->addItems(items);
    list->setEditText(text);
    return list;
}

}  // namespace

TfmParam::TfmParam(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      port_(EditableList("ComboBox1", {"Com1", "Com2", "Com3", "Com4"}, QStringLiteral("Com1"))),
      speed_(EditableList("ComboBox2",
                          {"110", "300", "600", "1200", "2400", "4800", "9600", "14400", "19200",
                           "38400", "56000", "57600", "115200", "128000", "256000"},
                          QStringLiteral("9600"))),
      timeout_(new QSpinBox) {
    setObjectName(QStringLiteral("TfmParam"));
    setWindowTitle(QStringLiteral("Параметры"));
    timeout_->setObjectName(QStringLiteral("SpinEdit1"));
    timeout_->setRange(1, 10);
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
}

}  // namespace kadr::editor
