#include <windows.h>

#include <string>

#include <QCoreApplication>
#include <QFileInfo>
#include <QString>

#include "cli/program_run.h"

namespace {

// Texts and names go to a console in UTF-8 as they are held; the console's own code page comes
// back when the program ends, so the window the user typed in is left as it was.
class Utf8Console {
  public:
    Utf8Console() : previous_(GetConsoleOutputCP()) {
        if (previous_ != 0) {
            SetConsoleOutputCP(CP_UTF8);
        }
    }
    ~Utf8Console() {
        if (previous_ != 0) {
            SetConsoleOutputCP(previous_);
        }
    }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

  private:
    UINT previous_;
};

// The image format plug-ins (GIF, JPEG) sit beside the program in its Windows folder. Without an
// application object Qt reads no qt.conf and would look for them only where Qt was built.
void FindPluginsBesideProgram() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size()) {
        path.resize(path.size() * 2);
    }
    path.resize(length);
    QCoreApplication::addLibraryPath(QFileInfo(QString::fromStdWString(path)).absolutePath());
}

}  // namespace

int kadr::cli::RunOnPlatform(const std::function<int()>& run) {
    const Utf8Console console;
    FindPluginsBesideProgram();
    return run();
}
