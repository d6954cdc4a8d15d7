// The main window's file commands: New, Open, Save, Save As, the recent files and the question
// about unsaved changes before a document is replaced or the window closes.
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "editor/app/error_box.h"
#include "editor/dialogs/new_file_dialog.h"
#include "editor/files/file_dialogs.h"
#include "editor/files/recent_file_list.h"
#include "editor/window/main_window.h"
#include "pictures/utf8_path.h"

namespace kadr::editor {
namespace {

QString DocumentPath(const FrameSet& set) {
    return QtPath(set.FileName);
}

}  // namespace

void TfmMain::SetTitledCaption() {
    const QString path = DocumentPath(document_.Set());
    setWindowTitle(QStringLiteral("Кадрописец - ") +
                   (path.isEmpty() ? QStringLiteral("Без названия") : QFileInfo(path).fileName()));
}

void TfmMain::acNewExecute() {
    // New replaces the document as Open does, so it asks first; Cancel ends it before its
    // dialog.
    if (!SaveChangesFirst(true)) {
        return;
    }
    if (fmNew_ == nullptr || fmNew_->exec() != QDialog::Accepted) {
        return;
    }
    document_.New(fmNew_->Count());
    ShowDocumentSettings();
    unrecordedChanges_ = false;
}

void TfmMain::acOpenExecute() {
    if (!SaveChangesFirst(false)) {
        return;
    }
    const std::optional<QString> path = AskOpenPath(this);
    if (!path) {
        return;
    }
    OpenNamed(*path);
}

void TfmMain::OpenNamed(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    recentFiles_->Add(full);
    Load(full);
}

void TfmMain::PupupFileMenuClick(QAction* item) {
    if (!SaveChangesFirst(false)) {
        return;
    }
    const QString path = RecentFileList::PathOf(item);
    recentFiles_->Remove(item);
    recentFiles_->Add(path);
    Load(path);
}

void TfmMain::Load(const QString& path) {
    RunCommand([&] {
        const ReadReport report = document_.Load(Utf8Path(path));
        ShowDocumentSettings();
        unrecordedChanges_ = false;
        if (!report.complete) {
            // The strip now mixes modules of that file set with what was there before; the
            // user has to know it is not the file the caption would name.
            QMessageBox box(QMessageBox::Warning, QStringLiteral("Сообщение"),
                            QStringLiteral("Файл %1 не найден. Набор файлов модулей прочитан "
                                           "не полностью.")
                                .arg(QDir::toNativeSeparators(QtPath(report.missingFile))),
                            QMessageBox::Ok, this);
            box.setObjectName(QStringLiteral("IncompleteMessage"));
            box.exec();
        }
        if (report.truncated) {
            QMessageBox box(QMessageBox::Warning, QStringLiteral("Сообщение"),
                            QStringLiteral("Файл содержит больше %1 кадров. Прочитаны первые %1.")
                                .arg(kMaxFrames),
                            QMessageBox::Ok, this);
            box.setObjectName(QStringLiteral("TruncatedMessage"));
            box.exec();
        }
    });
}

bool TfmMain::OpenRecovered(const FrameSet& recovered) {
    if (!SaveChangesFirst(false)) {
        return false;
    }
    // The strip, the caption and Undo follow the document's notification.
    document_.TakeOver(recovered);
    ShowDocumentSettings();
    // Nothing of it is in its file (if it has one): closing asks to save it.
    unrecordedChanges_ = true;
    return true;
}

void TfmMain::acSaveExecute() {
    Save();
}

void TfmMain::acSaveAsExecute() {
    SaveAs();
}

bool TfmMain::Save() {
    if (document_.Set().FileName.empty()) {
        return SaveAs();
    }
    return Write(DocumentPath(document_.Set()));
}

bool TfmMain::SaveAs() {
    const std::optional<QString> path = AskSavePath(this);
    return path && Write(*path);
}

bool TfmMain::Write(const QString& path) {
    bool written = false;
    RunCommand([&] {
        CommitDocumentSettings();
        document_.Save(Utf8Path(path));
        written = true;
    });
    if (written) {
        unrecordedChanges_ = false;
    }
    return written;
}

bool TfmMain::SaveChangesFirst(bool withCancel) {
    if (!HasUnsavedChanges()) {
        return true;
    }
    switch (AskToSaveChanges(this, withCancel)) {
        case QMessageBox::Yes:
            // A save the user asked for but that did not happen (its dialog cancelled, the disk
            // full) must not be followed by throwing the changes away.
            return Save();
        case QMessageBox::No:
            return true;
        default:
            return false;
    }
}

bool TfmMain::FormCloseQuery() {
    return SaveChangesFirst(true);
}

void TfmMain::closeEvent(QCloseEvent* event) {
    bool close = false;
    RunCommand([&] { close = FormCloseQuery(); });
    if (close) {
        // A status window must not come up after the window has gone.
        upload_->AbandonUpload();
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace kadr::editor
