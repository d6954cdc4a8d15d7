#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

#include "tests/windows/win32_test_support.h"

namespace kadr::testing {
namespace {

std::string Environment(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : fallback;
}

}  // namespace

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool PumpMessagesUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        if (done()) {
            return true;
        }
        if (Clock::now() >= end) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

std::string PortUnderTest() {
    return Environment("KADR_TEST_PORT", "\\\\.\\COM1");
}

std::string PeerPort() {
    return Environment("KADR_TEST_PEER", "\\\\.\\COM2");
}

bool PortsRequired() {
    return std::getenv("KADR_TEST_PORTS_REQUIRED") != nullptr;
}

PeerEnd::PeerEnd(const std::string& name)
    : handle_(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                          nullptr)) {
    if (!IsOpen()) {
        return;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(handle_, &dcb);
    dcb.BaudRate = 56000;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    SetCommState(handle_, &dcb);
    // A read returns what is there, or waits at most 50 ms for a first byte.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = 50;
    SetCommTimeouts(handle_, &timeouts);
    PurgeComm(handle_, PURGE_RXCLEAR | PURGE_TXCLEAR);
}

PeerEnd::~PeerEnd() {
    if (IsOpen()) {
        CloseHandle(handle_);
    }
}

bool PeerEnd::IsOpen() const {
    return handle_ != INVALID_HANDLE_VALUE;
}

void PeerEnd::Write(const std::vector<std::uint8_t>& bytes) {
    DWORD written = 0;
    WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::vector<std::uint8_t> PeerEnd::Read(std::size_t count, std::chrono::milliseconds limit) {
    std::vector<std::uint8_t> got;
    const auto end = Clock::now() + limit;
    while (got.size() < count && Clock::now() < end) {
        std::uint8_t buffer[4096];
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min(count - got.size(), sizeof buffer));
        if (!ReadFile(handle_, buffer, want, &n, nullptr)) {
            break;
        }
        got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

SerialRig::SerialRig(const std::string& port)
    : device_(OpenSerialDevice(port)), channel_([this](Notification& n) {
          if (n.kind == Notification::Kind::Hangup) {
              ++hangups;
              return;
          }
          blocks.push_back(
              {{n.block.bytes.get(), n.block.bytes.get() + n.block.count}, Clock::now()});
      }) {
    LineSettings line;
    line.baud = 56000;
    line.dataBits = 8;
    device_->ApplyLineSettings(line);
    device_->SetReadInterval(40);
    reader_ = std::make_unique<TReadThread>(*device_, shutdown_, channel_);
    reader_->Start();
    writer_ = std::make_unique<TWriteThread>(*device_, shutdown_, queue_, channel_);
    writer_->Start();
    device_->SetDtr(true);
    device_->SetRts(true);
}

SerialRig::~SerialRig() {
    Stop();
}

bool SerialRig::Post(const std::vector<std::uint8_t>& bytes) {
    return queue_.Post(CommBlock(bytes.data(), static_cast<std::uint32_t>(bytes.size())));
}

bool SerialRig::Stop(std::chrono::milliseconds limit) {
    if (!reader_) {
        return true;
    }
    shutdown_.Set();
    device_->PurgeReceive();
    const bool readerEnded = reader_->WaitFor(limit);
    device_->PurgeTransmit();
    const bool writerEnded = writer_->WaitFor(limit);
    reader_.reset();
    writer_.reset();
    return readerEnded && writerEnded;
}

}  // namespace kadr::testing
