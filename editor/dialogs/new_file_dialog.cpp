#include "editor/dialogs/new_file_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/app/error_box.h"
#include "frameset/frame_set.h"

namespace kadr::editor {

TfmNew::TfmNew(QWidget* parent) : QDialog(parent), edCount_(new QLineEdit(QStringLiteral("1"))) {
    setObjectName(QStringLiteral("TfmNew"));
    setWindowTitle(QStringLiteral("Параметрв нового файла"));
    edCount_->setObjectName(QStringLiteral("edCount"));
    // Every module has seven columns; the box only tells so.
    auto* columns = new QLineEdit(QStringLiteral("7"));
    columns->setEnabled(false);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Количество кадров"), edCount_);
    fields->addRow(QStringLiteral("Количество столбцов"), columns);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfmNew::accept() {
    const QString text = edCount_->text().trimmed();
    bool number = false;
    const int count = text.toInt(&number);
    if (!number) {
        ShowErrorBox(QStringLiteral("'%1' is not a valid integer value").arg(edCount_->text()));
    } else if (count < 0 || count > kMaxFrames) {
        ShowErrorBox(QStringLiteral("Количество кадров должно быть от 0 до %1").arg(kMaxFrames));
    } else {
        count_ = count;
        QDialog::accept();
        return;
    }
    edCount_->setFocus();
    edCount_->selectAll();
}

}  // namespace kadr::editor
