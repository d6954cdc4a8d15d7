#include <windows.h>

#include <string>

#include "device/comms_log.h"

namespace kadr {
namespace {

constexpr DWORD kUsEnglish = 0x0409;

}  // namespace

std::string FormatLastError(int error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error), kUsEnglish, reinterpret_cast<char*>(&text), 0, nullptr);
    if (length == 0 || text == nullptr) {
        const DWORD reason = GetLastError();
        return "FormatMessage failed on error " + std::to_string(static_cast<DWORD>(error)) +
               " for the following reason: " + std::to_string(reason);
    }
    std::string result(text, length);
    LocalFree(text);
    // The system's texts end with a line break, which would split the log line in two.
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) {
        result.pop_back();
    }
    return result;
}

void DebugOutput(std::string_view text) {
    const std::string line(text);
    OutputDebugStringA(line.c_str());
}

}  // namespace kadr
