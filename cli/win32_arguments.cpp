#include <windows.h>

#include <shellapi.h>

#include "cli/arguments.h"

namespace kadr::cli {
namespace {

std::string Utf8Of(const wchar_t* word) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, word, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(bytes - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, word, -1, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (words == nullptr || count != argc) {
        // The wide line disagreeing with the C runtime's split cannot be trusted either.
        if (words != nullptr) {
            LocalFree(words);
        }
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        result.push_back(Utf8Of(words[i]));
    }
    LocalFree(words);
    return result;
}

}  // namespace kadr::cli
