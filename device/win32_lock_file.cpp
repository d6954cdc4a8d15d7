#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "device/comms_log.h"
#include "device/lock_file.h"
#include "device/stop_request.h"
#include "frameset/errors.h"
#include "frameset/file_system.h"

namespace kadr {
namespace {

// Windows' locks keep others from reading what they cover, so the lock covers a byte far past
// the text: the process number stays readable while the lock is held.
constexpr DWORD kLockOffsetHigh = 1;
constexpr DWORD kMaxText = 64;

bool LockRegion(HANDLE file, DWORD flags) {
    OVERLAPPED where{};
    where.OffsetHigh = kLockOffsetHigh;
    return LockFileEx(file, flags | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &where) != 0;
}

void UnlockRegion(HANDLE file) {
    OVERLAPPED where{};
    where.OffsetHigh = kLockOffsetHigh;
    UnlockFileEx(file, 0, 1, 0, &where);
}

}  // namespace

std::unique_ptr<LockFile> LockFile::Open(const std::string& path, bool create) {
    // Shared with every other opener, so that readers and a second runner can look; the handle
    // is not inherited by programs started from here.
    const HANDLE file = CreateFileW(
        PathFromUtf8(path).c_str(), create ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (!create && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)) {
            return nullptr;
        }
        throw FileError(static_cast<int>(error), FormatLastError(static_cast<int>(error)));
    }
    return std::unique_ptr<LockFile>(new LockFile(file));
}

LockFile::~LockFile() {
    CloseHandle(handle_);
}

bool LockFile::TryLock() {
    return LockRegion(handle_, LOCKFILE_EXCLUSIVE_LOCK);
}

bool LockFile::LockedElsewhere() {
    if (LockRegion(handle_, 0)) {
        UnlockRegion(handle_);
        return false;
    }
    return GetLastError() == ERROR_LOCK_VIOLATION;
}

void LockFile::Write(const std::string& text) {
    // Held all the same when this fails; readers then find no process named.
    DWORD written = 0;
    SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
    if (WriteFile(handle_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
        SetEndOfFile(handle_);
    }
}

std::string LockFile::Read() {
    char buffer[kMaxText];
    DWORD read = 0;
    OVERLAPPED from{};
    if (!ReadFile(handle_, buffer, sizeof buffer, &read, &from)) {
        return {};
    }
    return std::string(buffer, read);
}

unsigned long ThisProcessId() {
    return GetCurrentProcessId();
}

// A `kadr` that listens for stop requests has its named stop event open; the image's name
// tells `kadr.exe` from another program that happens to have the number now.
bool IsScheduleProcess(unsigned long processId) {
    const HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, StopEventName(processId).c_str());
    if (event == nullptr) {
        return false;
    }
    CloseHandle(event);
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return false;
    }
    wchar_t image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const bool named = QueryFullProcessImageNameW(process, 0, image, &size) != 0;
    CloseHandle(process);
    if (!named) {
        return false;
    }
    std::wstring name(image, size);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return name == L"kadr.exe";
}

bool AskProcessToStop(unsigned long processId) {
    const HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, StopEventName(processId).c_str());
    if (event == nullptr) {
        return false;
    }
    const bool set = SetEvent(event) != 0;
    CloseHandle(event);
    return set;
}

}  // namespace kadr
