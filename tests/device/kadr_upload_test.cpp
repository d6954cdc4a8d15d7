#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "device/port_settings.h"
#include "device/pseudo_terminal.h"
#include "device/serial_device.h"
#include "frameset/display_file.h"
#include "frameset/module_files.h"
#include "tests/support/child_process.h"
#include "tests/support/kadr_tool.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using testing::ChildProcess;
using testing::Kadr;
using testing::ProcessResult;
using testing::TempDir;

// A simulator started for one test; its device is known once it has said so.
struct Simulator {
    explicit Simulator(std::vector<std::string> args)
        : process(KADR_BIN, Prepend(std::move(args))) {
        const auto line = process.ReadLine();
        if (line && line->rfind("port ", 0) == 0) {
            device = line->substr(5);
        }
    }
    static std::vector<std::string> Prepend(std::vector<std::string> args) {
        args.insert(args.begin(), "simulate");
        return args;
    }
    ChildProcess process;
    std::string device;
};

std::string WriteRandomSet(const TempDir& dir, const std::string& name, int frames, unsigned seed) {
    FrameSet set;
    std::mt19937 rng(seed);
    testing::FillRandom(set, frames, rng);
    const std::string path = dir.File(name);
    WriteDisplayFile(path, set);
    return path;
}

constexpr char kHandshaking[] = "Посылка пакетов согласования\n";
constexpr char kProgramming[] = "Программирование\n";

TEST(KadrUpload, AFullSetArrivesByteForByte) {
    TempDir dir;
    const std::string file = WriteRandomSet(dir, "full.kdz", 256, 256);
    Simulator sim({"--baud", "0", "--once", "--save", dir.File("got.kdz")});
    ASSERT_FALSE(sim.device.empty()) << sim.process.Err();

    const ProcessResult upload = Kadr({"upload", "--port", sim.device, file});
    EXPECT_EQ(upload.exitCode, 0) << upload.err;
    EXPECT_EQ(upload.out,
              std::string(kHandshaking) + kProgramming + "Программирование завершино\n");
    EXPECT_EQ(upload.err, "") << "no progress bar when stderr is no terminal";
    EXPECT_EQ(sim.process.ReadLine(), "received 256 frames");
    EXPECT_EQ(sim.process.Wait(), 0) << "--once ends after the first upload";
    EXPECT_EQ(testing::ReadBytes(dir.File("got.kdz")), testing::ReadBytes(file));
}

// Two pseudo-terminals whose masters are joined: a null-modem cable between their slaves.
class NullModem {
  public:
    NullModem() : thread_([this] { Run(); }) {}
    ~NullModem() {
        stop_ = true;
        thread_.join();
    }
    const std::string& EndA() const { return a_.SlavePath(); }
    const std::string& EndB() const { return b_.SlavePath(); }

  private:
    void Run() {
        while (!stop_) {
            pollfd fds[2] = {{a_.MasterFd(), POLLIN, 0}, {b_.MasterFd(), POLLIN, 0}};
            if (poll(fds, 2, 20) <= 0) {
                continue;
            }
            Pass(fds[0], b_.MasterFd());
            Pass(fds[1], a_.MasterFd());
        }
    }
    static void Pass(const pollfd& from, int to) {
        if ((from.revents & POLLIN) == 0) {
            return;
        }
        char buffer[4096];
        const ssize_t got = read(from.fd, buffer, sizeof buffer);
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = write(to, buffer + done, static_cast<std::size_t>(got - done));
            done += put > 0 ? put : 0;
        }
    }

    PseudoTerminal a_;
    PseudoTerminal b_;
    std::atomic<bool> stop_{false};
    std::thread thread_;  // last: it ends before the terminals go
};

// The simulator on a named serial port, as on Windows with a null-modem pair.
TEST(KadrUpload, TheSimulatorServesANamedSerialPort) {
    TempDir dir;
    const std::string file = WriteRandomSet(dir, "port.kdz", 9, 9);
    NullModem cable;
    Simulator sim({"--port", cable.EndA(), "--once", "--save", dir.File("got.kdz")});
    ASSERT_EQ(sim.device, cable.EndA()) << sim.process.Err();

    const ProcessResult upload = Kadr({"upload", "--port", cable.EndB(), file});
    EXPECT_EQ(upload.exitCode, 0) << upload.err;
    EXPECT_EQ(upload.out,
              std::string(kHandshaking) + kProgramming + "Программирование завершино\n");
    EXPECT_EQ(sim.process.ReadLine(), "received 9 frames");
    EXPECT_EQ(sim.process.Wait(), 0) << "--once ends after the first upload";
    EXPECT_EQ(testing::ReadBytes(dir.File("got.kdz")), testing::ReadBytes(file));

    const ProcessResult absent = Kadr({"simulate", "--port", dir.File("no-such-port")});
    EXPECT_NE(absent.exitCode, 0);
    EXPECT_NE(absent.err.find("Error opening com port"), std::string::npos) << absent.err;
    const ProcessResult both = Kadr({"simulate", "--port", cable.EndA(), "--link", "x"});
    EXPECT_EQ(both.exitCode, 2) << both.err;
}

TEST(KadrUpload, StoredSettingsChooseThePortAndTheSimulatorServesAgain) {
    TempDir dir;
    const std::string file = WriteRandomSet(dir, "two.kdz", 2, 2);
    const std::string link = dir.File("display");
    Simulator sim({"--link", link, "--baud", "1200"});
    ASSERT_FALSE(sim.device.empty());
    EXPECT_EQ(std::filesystem::read_symlink(link), sim.device);

    PortSettings stored;
    stored.Port = "Com2";
    stored.BaudRate = TBaudRate::___1200;
    SavePortSettings(stored);
    SetComPortDevice(TCommPort::Com2, link);

    for (int run = 1; run <= 2; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const ProcessResult upload = Kadr({"upload", file});
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(upload.exitCode, 0) << upload.err;
        EXPECT_EQ(sim.process.ReadLine(), "received 2 frames");
        // 10 + 5 + 2 × (69 + 5) bytes of 10 bits at 1200 baud cannot take less than 1.36 s.
        EXPECT_GE(took, std::chrono::milliseconds(1360)) << "run " << run;
    }
    const ProcessResult ports = Kadr({"ports"});
    EXPECT_EQ(ports.exitCode, 0) << ports.err;
    EXPECT_NE(ports.out.find("\nsettings: Com2 (" + link + "), not present\n"), std::string::npos)
        << ports.out;
    const ProcessResult json = Kadr({"ports", "--json"});
    EXPECT_NE(json.out.find(",\"settings\":{\"port\":\"Com2\",\"device\":\"" + link +
                            "\",\"present\":false}}\n"),
              std::string::npos)
        << json.out;
    SetComPortDevice(TCommPort::Com2, "");
    SavePortSettings(PortSettings{});
    sim.process.Signal(SIGTERM);
    EXPECT_EQ(sim.process.Wait(), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link)) << "the link goes with the simulator";
}

TEST(KadrUpload, NoReplyAbortAndNoPortEachHaveTheirStatus) {
    TempDir dir;
    const std::string file = WriteRandomSet(dir, "one.kdz", 1, 1);
    PseudoTerminal silent;

    ProcessResult r = Kadr({"upload", "--port", silent.SlavePath(), "--timeout", "1", file});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, std::string(kHandshaking) + "Нет ответа от устройства\n");

    ChildProcess stopped(KADR_BIN,
                         {"upload", "--port", silent.SlavePath(), "--timeout", "10", file});
    ASSERT_EQ(stopped.ReadLine(), "Посылка пакетов согласования");
    stopped.Signal(SIGTERM);
    EXPECT_EQ(stopped.Wait(), 130);
    EXPECT_EQ(stopped.Out(), std::string(kHandshaking) + "Прграммирование прервано\n");

    // The component's words first, then why in the editor's words: a missing port, one that
    // another program holds.
    const std::string absent = dir.File("absent");
    const auto held = OpenSerialDevice(silent.SlavePath());
    for (const auto& [port, why] :
         {std::pair{absent, "Порта " + absent + " нет: адаптер не подключён"},
          std::pair{silent.SlavePath(), "Порт " + silent.SlavePath() + " занят другой программой"},
          std::pair{std::string("com200"), std::string("Порта Com200 (/dev/ttyS199) нет: ")}}) {
        r = Kadr({"upload", "--port", port, file});
        EXPECT_EQ(r.exitCode, 3) << port;
        const std::string first = r.err.substr(0, r.err.find('\n'));
        EXPECT_TRUE(first.ends_with(": Error opening com port")) << r.err;
        EXPECT_EQ(r.err.substr(first.size() + 1, why.size()), why) << r.err;
        EXPECT_EQ(r.out, "");
    }

    r = Kadr({"upload", "--port", silent.SlavePath(), dir.File("absent.kdz")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("File not found"), std::string::npos);
}

// A typo in a .bin name, or a set missing one member, is not a frame set: programming the unit
// with what the read found would replace its content with blank or mixed frames.
TEST(KadrUpload, AModuleFileSetWithAFileMissingIsNotUploaded) {
    TempDir dir;
    FrameSet set;
    std::mt19937 rng(12);
    testing::FillRandom(set, 3, rng);
    const std::string chosen = dir.File("show.bin");
    WriteModuleFiles(chosen, set);
    const auto names = ModuleFileNames(chosen);
    std::filesystem::remove(names[5]);
    PseudoTerminal unit;

    for (const auto& [path, missing] :
         {std::pair{chosen, names[5]}, std::pair{dir.File("typo.bin"), dir.File("h4po.bin")}}) {
        const ProcessResult r = Kadr({"upload", "--port", unit.SlavePath(), path});
        EXPECT_EQ(r.exitCode, 1) << path;
        EXPECT_EQ(r.out, "") << "no status: nothing was started";
        EXPECT_NE(r.err.find(missing), std::string::npos) << r.err;
        char byte = 0;
        EXPECT_EQ(read(unit.MasterFd(), &byte, 1), -1) << "the unit received a byte";
    }

    // The whole set goes as it is.
    WriteModuleFiles(chosen, set);
    Simulator sim({"--baud", "0", "--once"});
    ASSERT_FALSE(sim.device.empty()) << sim.process.Err();
    const ProcessResult r = Kadr({"upload", "--port", sim.device, chosen});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(sim.process.ReadLine(), "received 3 frames");
}

TEST(KadrUpload, BadUsageExitsTwo) {
    TempDir dir;
    const std::string file = WriteRandomSet(dir, "one.kdz", 1, 1);
    const std::vector<std::vector<std::string>> bad{
        {"upload"},
        {"upload", "--port", "Ком5", file},
        {"upload", "--port", "Com257", file},
        {"ports", "--all"},
        {"upload", "--baud", "12345", file},
        {"upload", "--timeout", "0", file},
        {"upload", "--timeout", "11", file},
        {"upload", "--port"},
        {"upload", file, file},
        {"simulate", "--baud", "fast"},
        {"simulate", "extra"},
    };
    for (const auto& args : bad) {
        const ProcessResult r = Kadr(args);
        EXPECT_EQ(r.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_NE(r.err.find("usage: kadr"), std::string::npos);
    }
}

}  // namespace
}  // namespace kadr
