#include "editor/app/form_storage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

#include "editor/app/window_placement.h"

namespace kadr::editor {
namespace {

const QString kVersionValue = QStringLiteral("FormVersion");

}  // namespace

FormStorage::FormStorage(QString ownerClass) : ownerClass_(std::move(ownerClass)) {}

QString FormStorage::ProgramName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QSettings FormStorage::Store() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QCoreApplication::organizationName(), ProgramName());
}

void FormStorage::RestoreFormPlacement() {
    QSettings settings = Store();
    settings.beginGroup(ownerClass_);
    bool number = false;
    const int version = settings.value(kVersionValue).toString().toInt(&number);
    if ((number ? version : 0) < kVersion) {
        return;
    }
    if (Window != nullptr) {
        RestoreWindowPlacement(*Window, settings);
    }
    if (OnRestoreProperties) {
        try {
            OnRestoreProperties(settings);
        } catch (...) {
            // A stored value that cannot be taken leaves the property as it was.
        }
    }
    if (OnRestorePlacement) {
        OnRestorePlacement(settings);
    }
}

void FormStorage::SaveFormPlacement() {
    QSettings settings = Store();
    settings.beginGroup(ownerClass_);
    settings.setValue(kVersionValue, QString::number(kVersion));
    if (Window != nullptr) {
        SaveWindowPlacement(*Window, settings);
    }
    if (OnSaveProperties) {
        OnSaveProperties(settings);
    }
    if (OnSavePlacement) {
        OnSavePlacement(settings);
    }
}

}  // namespace kadr::editor
