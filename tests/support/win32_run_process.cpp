// A program run the Windows way: one command line, quoted as the C runtime and
// CommandLineToArgvW split it again, and both output streams read at once (a thread for the
// errors), so that neither pipe can fill up while the program waits on the other.
#include <windows.h>

#include <thread>

#include "tests/support/run_process.h"

namespace kadr::testing {
namespace {

std::wstring Wide(const std::string& utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

// Backslashes count only before a quote: doubled there, one more escapes the quote itself.
std::wstring Quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return arg;
    }
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

std::string Drain(HANDLE pipe) {
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
        text.append(buffer, got);
    }
    CloseHandle(pipe);
    return text;
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    ProcessResult result;
    if (!CreatePipe(&outRead, &outWrite, &inherited, 0) ||
        !CreatePipe(&errRead, &errWrite, &inherited, 0)) {
        result.err = "no pipe for " + program;
        return result;
    }
    // The program gets the writing ends only.
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW start{};
    start.cb = sizeof(start);
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = outWrite;
    start.hStdError = errWrite;
    std::wstring line = Quoted(Wide(program));
    for (const std::string& arg : args) {
        line += L' ' + Quoted(Wide(arg));
    }
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &start, &process);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (!started) {
        CloseHandle(outRead);
        CloseHandle(errRead);
        result.err = "cannot start " + program;
        return result;
    }
    std::thread errors([&result, errRead] { result.err = Drain(errRead); });
    result.out = Drain(outRead);
    errors.join();
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.exitCode = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

}  // namespace kadr::testing
