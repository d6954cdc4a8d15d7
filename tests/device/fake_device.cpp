#include "tests/device/fake_device.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace kadr::testing {

FakeDevice::FakeDevice(Responder responder)
    : responder_(std::move(responder)), stopFd_(eventfd(0, EFD_CLOEXEC)) {
    if (stopFd_ < 0) {
        throw std::runtime_error("eventfd failed");
    }
    thread_ = std::thread([this] { Serve(); });
}

FakeDevice::~FakeDevice() {
    Stop();
    close(stopFd_);
}

void FakeDevice::Stop() {
    if (thread_.joinable()) {
        // The thread waits in poll() for this word: without it the join below would never end,
        // so a failed write stops the test run loudly instead of hanging it.
        const std::uint64_t one = 1;
        ssize_t put = 0;
        do {
            put = write(stopFd_, &one, sizeof one);
        } while (put < 0 && errno == EINTR);
        if (put != static_cast<ssize_t>(sizeof one)) {
            std::perror("FakeDevice: the stop signal could not be written");
            std::abort();
        }
        thread_.join();
    }
}

void FakeDevice::HangUp() {
    Stop();
    terminal_.CloseSlave();
    terminal_.CloseMaster();
}

std::vector<Bytes> FakeDevice::Packets() const {
    std::lock_guard lock(mutex_);
    return packets_;
}

Bytes FakeDevice::Received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

void FakeDevice::Send(const Bytes& bytes) {
    WriteAll(bytes);
}

void FakeDevice::WriteAll(const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(terminal_.MasterFd(), bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EAGAIN) {
            pollfd out{terminal_.MasterFd(), POLLOUT, 0};
            poll(&out, 1, 50);
        } else if (n < 0 && errno != EINTR) {
            return;
        }
    }
}

void FakeDevice::Serve() {
    Bytes pending;
    int index = 0;
    for (;;) {
        pollfd fds[2] = {{terminal_.MasterFd(), POLLIN, 0}, {stopFd_, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            continue;
        }
        if (fds[1].revents != 0) {
            return;
        }
        std::uint8_t buffer[4096];
        const ssize_t n = read(terminal_.MasterFd(), buffer, sizeof buffer);
        if (n <= 0) {
            continue;
        }
        {
            std::lock_guard lock(mutex_);
            received_.insert(received_.end(), buffer, buffer + n);
        }
        pending.insert(pending.end(), buffer, buffer + n);
        for (;;) {
            while (!pending.empty() && pending[0] != 0xFE) {
                pending.erase(pending.begin());
            }
            if (pending.size() < 2 || pending.size() < std::size_t{pending[1]} + 2) {
                break;
            }
            const Bytes packet(pending.begin(), pending.begin() + pending[1] + 2);
            pending.erase(pending.begin(), pending.begin() + pending[1] + 2);
            {
                std::lock_guard lock(mutex_);
                packets_.push_back(packet);
            }
            if (responder_) {
                for (const Chunk& chunk : responder_(packet, index)) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(chunk.pauseBeforeMs));
                    WriteAll(chunk.bytes);
                }
            }
            ++index;
        }
    }
}

Bytes ReplyBytes(std::uint8_t status) {
    return {0xFE, 0x03, status, status, 0x00};
}

std::vector<Chunk> AcceptAll(const Bytes& packet, int) {
    return {{ReplyBytes(packet[2]), 0}};
}

}  // namespace kadr::testing
