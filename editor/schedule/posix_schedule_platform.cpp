#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include "editor/schedule/schedule_platform.h"
#include "frameset/errors.h"

namespace kadr::editor {

QString KadrProgram() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kadr"));
}

void PrepareHidden(QProcess&) {}

void AskToStop(QProcess& process) {
    process.terminate();  // SIGTERM
}

bool StartAtLogonAvailable() {
    return false;
}

bool StartsAtLogon(const QString&) {
    return false;
}

void SetStartAtLogon(const QString&, bool) {
    throw Error(
        "Запуск при входе есть только в Windows; в Linux его даёт пользовательская служба "
        "systemd (см. README)");
}

}  // namespace kadr::editor
