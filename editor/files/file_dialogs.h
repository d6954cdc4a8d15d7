#pragma once

#include <optional>

#include <QMessageBox>
#include <QString>

class QWidget;

namespace kadr::editor {

// The open and save dialogs share one filter list; the chosen name's extension, not the filter,
// decides the format. Empty when the user cancels.
std::optional<QString> AskOpenPath(QWidget* parent);
std::optional<QString> AskSavePath(QWidget* parent);

// A name typed without an extension gets the one of the filter chosen with it, so that what is
// written is what the user saw selected: "show" under "kdz файлы" becomes "show.kdz".
QString WithFilterExtension(const QString& path, const QString& filter);

// "Текущий файл не сохранен. Сохранить?" in a box titled "Сообщение", Yes and No, and Cancel
// when `withCancel`.
QMessageBox::StandardButton AskToSaveChanges(QWidget* parent, bool withCancel);

}  // namespace kadr::editor
