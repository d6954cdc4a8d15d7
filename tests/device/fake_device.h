#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/pseudo_terminal.h"

namespace kadr::testing {

using Bytes = std::vector<std::uint8_t>;

// One write of the device, after a pause.
struct Chunk {
    Bytes bytes;
    int pauseBeforeMs = 0;
};

// Decides what the device writes back for the index-th packet it has received (from 0).
using Responder = std::function<std::vector<Chunk>(const Bytes& packet, int index)>;

// A scripted device on the master side of a pseudo-terminal, served by a thread of its own:
// it cuts what it receives into packets (0xFE, L, L more bytes), records them and writes
// the responder's chunks.
class FakeDevice {
  public:
    explicit FakeDevice(Responder responder = {});
    ~FakeDevice();
    FakeDevice(const FakeDevice&) = delete;
    FakeDevice& operator=(const FakeDevice&) = delete;

    const std::string& Path() const { return terminal_.SlavePath(); }
    // The held slave side: shares the line settings with every other opener of the device.
    int SlaveFd() const { return terminal_.SlaveFd(); }

    std::vector<Bytes> Packets() const;
    Bytes Received() const;  // every byte, packets or not
    // Writes from the calling thread.
    void Send(const Bytes& bytes);
    // Ends the serving thread and closes both sides: the port's users see a hangup.
    void HangUp();

  private:
    void Serve();
    void Stop();
    void WriteAll(const Bytes& bytes);

    Responder responder_;
    PseudoTerminal terminal_;
    int stopFd_;
    mutable std::mutex mutex_;
    std::vector<Bytes> packets_;
    Bytes received_;
    std::thread thread_;
};

// Answers every handshake with status 0 and every data packet with status 1.
std::vector<Chunk> AcceptAll(const Bytes& packet, int index);
Bytes ReplyBytes(std::uint8_t status);

}  // namespace kadr::testing
