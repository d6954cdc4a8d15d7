#include "editor/files/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>

namespace kadr::editor {
namespace {

const QStringList& Filters() {
    static const QStringList filters{
        QStringLiteral("kdz файлы (*.kdz)"),
        QStringLiteral("bin файлы (*.bin)"),
        QStringLiteral("Все файлы (*.*)"),
    };
    return filters;
}

// Qt's own dialog on every platform, so that it looks and behaves the same everywhere.
void Prepare(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(Filters());
    dialog.selectNameFilter(Filters().first());
}

std::optional<QString> Chosen(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

}  // namespace

QString WithFilterExtension(const QString& path, const QString& filter) {
    if (!QFileInfo(path).suffix().isEmpty() || path.endsWith(QLatin1Char('.'))) {
        return path;
    }
    if (filter == Filters().at(0)) {
        return path + QStringLiteral(".kdz");
    }
    if (filter == Filters().at(1)) {
        return path + QStringLiteral(".bin");
    }
    return path;
}

std::optional<QString> AskOpenPath(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    Prepare(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Chosen(dialog);
}

std::optional<QString> AskSavePath(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Сохранение файла"));
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    Prepare(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Replacing a file the user picked is what Save As is for.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const std::optional<QString> path = Chosen(dialog);
    if (!path) {
        return std::nullopt;
    }
    return WithFilterExtension(*path, dialog.selectedNameFilter());
}

QMessageBox::StandardButton AskToSaveChanges(QWidget* parent, bool withCancel) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Сообщение"),
                    QStringLiteral("Текущий файл не сохранен. Сохранить?"), QMessageBox::NoButton,
                    parent);
    box.setObjectName(QStringLiteral("SaveQuestion"));
    box.addButton(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.addButton(QMessageBox::No)->setText(QStringLiteral("Нет"));
    if (withCancel) {
        box.addButton(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setEscapeButton(QMessageBox::No);
    }
    box.setDefaultButton(QMessageBox::Yes);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace kadr::editor
