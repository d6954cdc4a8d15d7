#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <string>

#include "device/stop_request.h"
#include "editor/schedule/schedule_platform.h"
#include "frameset/errors.h"

namespace kadr::editor {
namespace {

QString StartupFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, path))) {
        throw Error("Не найдена папка автозагрузки пользователя");
    }
    return QString::fromWCharArray(path);
}

QString ShortcutPath(const QString& schedule) {
    return QDir(StartupFolder())
        .filePath(QStringLiteral("Кадрописец - расписание %1.lnk")
                      .arg(QFileInfo(schedule).completeBaseName()));
}

std::wstring Wide(const QString& text) {
    return text.toStdWString();
}

void Check(HRESULT result, const char* what) {
    if (FAILED(result)) {
        throw Error(std::string("Ярлык автозагрузки не создан: ") + what + " (0x" +
                    QString::number(static_cast<unsigned long>(result), 16).toStdString() + ")");
    }
}

// The shortcut starts the editor's executable with --schedule, which starts `kadr schedule`
// without a window and ends at once.
void MakeShortcut(const QString& schedule, const QString& shortcut) {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    try {
        Check(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                               reinterpret_cast<void**>(&link)),
              "CoCreateInstance");
        const QString editor = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
        const QString native = QDir::toNativeSeparators(QFileInfo(schedule).absoluteFilePath());
        Check(link->SetPath(Wide(editor).c_str()), "SetPath");
        Check(link->SetArguments(Wide(QStringLiteral("--schedule \"%1\"").arg(native)).c_str()),
              "SetArguments");
        Check(link->SetWorkingDirectory(Wide(QFileInfo(native).absolutePath()).c_str()),
              "SetWorkingDirectory");
        Check(
            link->SetDescription(Wide(QStringLiteral("Расписание табло: %1").arg(native)).c_str()),
            "SetDescription");
        Check(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)),
              "IPersistFile");
        Check(file->Save(Wide(QDir::toNativeSeparators(shortcut)).c_str(), TRUE), "Save");
    } catch (...) {
        if (file != nullptr) {
            file->Release();
        }
        if (link != nullptr) {
            link->Release();
        }
        if (SUCCEEDED(init)) {
            CoUninitialize();
        }
        throw;
    }
    file->Release();
    link->Release();
    if (SUCCEEDED(init)) {
        CoUninitialize();
    }
}

}  // namespace

QString KadrProgram() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kadr.exe"));
}

void PrepareHidden(QProcess& process) {
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* arguments) {
        arguments->flags &= ~static_cast<DWORD>(CREATE_NEW_CONSOLE | DETACHED_PROCESS);
        arguments->flags |= CREATE_NO_WINDOW;
    });
}

void AskToStop(QProcess& process) {
    const std::wstring name = Wide(
        QString::fromStdString(StopEventName(static_cast<unsigned long>(process.processId()))));
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name.c_str());
    if (event == nullptr || !SetEvent(event)) {
        process.kill();  // a kadr without the event: the system closes its port
    }
    if (event != nullptr) {
        CloseHandle(event);
    }
}

bool StartAtLogonAvailable() {
    return true;
}

bool StartsAtLogon(const QString& schedule) {
    try {
        return !schedule.isEmpty() && QFileInfo::exists(ShortcutPath(schedule));
    } catch (const Error&) {
        return false;
    }
}

void SetStartAtLogon(const QString& schedule, bool on) {
    const QString shortcut = ShortcutPath(schedule);
    if (on) {
        MakeShortcut(schedule, shortcut);
    } else if (QFileInfo::exists(shortcut) && !QFile::remove(shortcut)) {
        throw Error("Ярлык автозагрузки не удалён: " + shortcut.toStdString());
    }
}

}  // namespace kadr::editor
