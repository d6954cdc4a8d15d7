// A 256-frame upload into `kadr simulate`, against the protocol's own floor: the 100 ms pause,
// one 40 ms silence per reply (225 of them) and, on a paced line, the line time of every
// packet and reply at 10 bits a byte.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "device/upload.h"
#include "device/upload_packets.h"
#include "device/vss_comm32.h"
#include "frameset/frame_set.h"

namespace {

using namespace kadr;

class QuietOwner : public UploadOwner {
  public:
    void ShowUploadCaption(const std::string&) override {}
    void ShowUploadStatus(const std::string&) override {}
    void ShowStatusWindow(const std::string&) override {}
    void UploadEnded(UploadOutcome result) override {
        outcome = result;
        loop.quit();
    }
    UploadOutcome outcome = UploadOutcome::Aborted;
    QEventLoop loop;
};

std::unique_ptr<FrameSet> FullSet() {
    auto set = std::make_unique<FrameSet>();
    std::mt19937 rng(256);
    set->LastFrame = kMaxFrames - 1;
    for (auto& frame : set->Frames) {
        for (auto& cell : frame) {
            cell = static_cast<std::uint8_t>(rng() & 1);
        }
    }
    return set;
}

double FloorSeconds(int baud) {
    constexpr int kDataPackets = kMaxFrames * 56 / 64;  // 224
    constexpr int kReplies = kDataPackets + 1;          // and the handshake's
    double floor = TDeviceUpload::kStartPauseMs / 1000.0 + kReplies * 0.040;
    if (baud > 0) {
        const double bytes =
            kHandshakePacketBytes + kDataPackets * kDataPacketBytes + kReplies * kReplyBytes;
        floor += bytes * 10.0 / baud;
    }
    return floor;
}

void BM_Upload256Frames(benchmark::State& state) {
    const int baud = static_cast<int>(state.range(0));
    const auto set = FullSet();
    for (auto _ : state) {
        const std::string command =
            std::string(KADR_BIN) + " simulate --once --baud " + std::to_string(baud);
        FILE* simulator = popen(command.c_str(), "r");
        char line[256] = {};
        if (simulator == nullptr || std::fgets(line, sizeof line, simulator) == nullptr) {
            state.SkipWithError("the simulator did not start");
            break;
        }
        std::string device(line + 5);
        device.erase(device.find_last_not_of('\n') + 1);

        TVSSComm32 comm;
        comm.PortName = device;
        comm.BaudRate = *BaudRateFromValue(baud > 0 ? baud : 56000);
        comm.DataBits = TDataBits::_8;
        comm.DTR = comm.RTS = true;
        QuietOwner owner;
        TDeviceUpload upload(*set, comm, owner);

        const auto start = std::chrono::steady_clock::now();
        upload.StartUpload();
        owner.loop.exec();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        pclose(simulator);
        if (owner.outcome != UploadOutcome::Completed) {
            state.SkipWithError("the upload did not complete");
            break;
        }
        state.counters["floor_s"] = FloorSeconds(baud);
        state.counters["over_floor_pct"] = (took.count() / FloorSeconds(baud) - 1.0) * 100.0;
    }
}
BENCHMARK(BM_Upload256Frames)
    ->ArgName("baud")
    ->Arg(0)
    ->Arg(56000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
