#include <windows.h>

#include <string>
#include <vector>

#include <QCoreApplication>
#include <QFileInfo>
#include <QString>

#include "cli/kadr_main.h"

namespace {

std::string Utf8Of(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(size - 1));
    return text;
}

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

// The arguments arrive as UTF-16, whole: the narrow main() would get them in the ANSI code page,
// where Cyrillic names and texts turn into question marks. An active code page of UTF-8 in the
// manifest would do the same only from Windows 10 1903 on.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> utf8;
    utf8.reserve(static_cast<std::size_t>(argc));
    for (int i = 0; i < argc; ++i) {
        utf8.push_back(Utf8Of(argv[i]));
    }
    std::vector<char*> pointers;
    for (std::string& argument : utf8) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    const Utf8Console console;
    FindPluginsBesideProgram();
    return kadr::cli::RunKadr(argc, pointers.data());
}
