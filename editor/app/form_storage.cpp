#include "editor/app/form_storage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace kadr::editor {
namespace {

const QString kVersionValue = QStringLiteral("FormVersion");

}  // namespace

FormStorage::FormStorage(QString ownerClass) : ownerClass_(std::move(ownerClass)) {}

QString FormStorage::ProgramName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void FormStorage::RestoreFormPlacement() {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                       QCoreApplication::organizationName(), ProgramName());
    settings.beginGroup(ownerClass_);
    bool number = false;
    const int version = settings.value(kVersionValue).toString().toInt(&number);
    if ((number ? version : 0) < kVersion) {
        return;
    }
    if (OnRestorePlacement) {
        OnRestorePlacement(settings);
    }
}

void FormStorage::SaveFormPlacement() {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                       QCoreApplication::organizationName(), ProgramName());
    settings.beginGroup(ownerClass_);
    settings.setValue(kVersionValue, QString::number(kVersion));
    if (OnSavePlacement) {
        OnSavePlacement(settings);
    }
}

}  // namespace kadr::editor
