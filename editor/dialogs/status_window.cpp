#include "editor/dialogs/status_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kadr::editor {

TfmStsMessage::TfmStsMessage(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      memo_(new QLineEdit(QStringLiteral("Memo1"))),
      ok_(new QPushButton(QStringLiteral("OK"))) {
    setObjectName(QStringLiteral("TfmStsMessage"));
    setWindowTitle(QStringLiteral("Сообщение"));
    setFixedSize(247, 77);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setReadOnly(true);
    memo_->setFrame(false);
    memo_->setAlignment(Qt::AlignCenter);
    memo_->setFocusPolicy(Qt::NoFocus);
    memo_->setBackgroundRole(QPalette::Button);
    QPalette colours = memo_->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Button));
    memo_->setPalette(colours);
    ok_->setObjectName(QStringLiteral("BitBtn1"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo_);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
}

}  // namespace kadr::editor
