// `kadr schedule` and the live fields of `kadr message`/`compose`, through the real tool under
// the test clock (KADR_TEST_CLOCK): the changes --check lists, each boundary's set written by
// --save at its time and the clock program once a minute, a file edit taken up within 2 s, a
// bad edit of the schedule refused, and uploads into `kadr simulate` that survive the
// simulator going away, with Ctrl+C leaving the port free; one run a schedule.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "tests/support/child_process.h"
#include "tests/support/kadr_tool.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using testing::ChildProcess;
using testing::Kadr;
using testing::ReadBytes;
using testing::TempDir;

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// An environment variable for the programs this test starts.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) { setenv(name, value, 1); }
    ~ScopedEnv() { unsetenv(name_); }

  private:
    const char* name_;
};

// The test clock for the programs this test starts.
class TestClock : public ScopedEnv {
  public:
    explicit TestClock(const char* value) : ScopedEnv("KADR_TEST_CLOCK", value) {}
};

// The frame records of a display file, without its header; `skip` records dropped first.
std::vector<std::uint8_t> Records(const std::string& path, std::size_t skip = 0) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    return {bytes.begin() + 5 + static_cast<std::ptrdiff_t>(skip * 56), bytes.end()};
}

// Lines until one contains `text`; the lines read, or nothing when it does not come in time.
std::optional<std::string> LineWith(ChildProcess& process, const std::string& text,
                                    std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        const std::optional<std::string> line = process.ReadLine(left);
        if (!line) {
            break;
        }
        if (line->find(text) != std::string::npos) {
            return line;
        }
    }
    return std::nullopt;
}

// Morning (a frame set) 08:00-08:02, the clock (a program) 08:02-08:04, dark otherwise.
class ShopSchedule : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(Kadr({"edit", "-", dir_.File("утро.kdz"), "toggle:3:3", "add"}).exitCode, 0);
        WriteText(dir_.File("clock.json"), R"({"speedAnim":10,"messages":[{"text":"{time}"}]})");
        WriteText(dir_.File("shop.json"),
                  R"({"entries":[{"from":"08:00","to":"08:02","show":"утро.kdz"},)"
                  R"({"days":["mon"],"from":"08:02","to":"08:04","show":"clock.json"}]})");
    }
    TempDir dir_;
};

TEST_F(ShopSchedule, CheckListsTheChangesToCome) {
    const TestClock clock("2024-05-06T07:00:00");
    const testing::ProcessResult r = Kadr({"schedule", dir_.File("shop.json"), "--check"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("entries[1] clock.json: 20 frames, made again every minute\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("now 2024-05-06 07:00:00: default (dark)\n"
                         "time              entry                  frames\n"
                         "2024-05-06 08:00  entries[0] утро.kdz    2\n"
                         "2024-05-06 08:02  entries[1] clock.json  20\n"
                         "2024-05-06 08:04  default (dark)         1\n"
                         "2024-05-07 08:00  entries[0] утро.kdz    2\n"),
              std::string::npos)
        << r.out;

    WriteText(dir_.File("bad.json"),
              R"({"entries":[{"from":"8:00","to":"09:00","show":"утро.kdz"}]})");
    const testing::ProcessResult bad = Kadr({"schedule", dir_.File("bad.json"), "--check"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err, "kadr: " + dir_.File("bad.json") +
                           ": entries[0].from: must be HH:MM (00:00 to 23:59)\n");
    WriteText(dir_.File("gone.json"), R"({"entries":[],"default":"нет.kdz"})");
    const testing::ProcessResult gone = Kadr({"schedule", dir_.File("gone.json"), "--check"});
    EXPECT_EQ(gone.exitCode, 1);
    EXPECT_NE(gone.out.find("default нет.kdz: " + dir_.File("нет.kdz") + ": File not found"),
              std::string::npos)
        << gone.out;
}

TEST_F(ShopSchedule, SaveWritesEachSetAtItsTimeAndTheClockOnceAMinute) {
    // A minute passes in a second.
    const TestClock clock("2024-05-06T07:59:50x60");
    ChildProcess run(KADR_BIN, {"schedule", dir_.File("shop.json"), "--save", dir_.File("out")});
    const char* expected[] = {
        "2024-05-06 07:59:50 default (dark), 1 frame: saved 0001.kdz",
        "2024-05-06 08:00:00 entries[0] утро.kdz, 2 frames: saved 0002.kdz",
        "2024-05-06 08:02:00 entries[1] clock.json, 20 frames: saved 0003.kdz",
        "2024-05-06 08:03:00 entries[1] clock.json, 20 frames: saved 0004.kdz",
        "2024-05-06 08:04:00 default (dark), 1 frame: saved 0005.kdz",
    };
    ASSERT_TRUE(LineWith(run, "started: "));
    // The minute and what happened; the second may lag on a busy machine, a sixtieth of a
    // second being one of this clock's.
    for (const std::string line : expected) {
        const std::string got = run.ReadLine().value_or("");
        EXPECT_EQ(got.substr(0, 16) + got.substr(std::min<std::size_t>(got.size(), 19)),
                  line.substr(0, 16) + line.substr(19))
            << got;
    }
    run.Signal(SIGINT);
    EXPECT_EQ(run.Wait(), 0);
    EXPECT_NE(run.Out().find(" stopped\n"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir_.File("out/0002.kdz")), ReadBytes(dir_.File("утро.kdz")));
    // The clock's sets are the program made at 08:02 and 08:03, as `kadr compose` makes it.
    for (const auto& [time, file] : {std::pair{"2024-05-06T08:02:00", "out/0003.kdz"},
                                     std::pair{"2024-05-06T08:03:00", "out/0004.kdz"}}) {
        const TestClock at(time);
        ASSERT_EQ(Kadr({"compose", "-", dir_.File("ref.kdz"), dir_.File("clock.json")}).exitCode,
                  0);
        EXPECT_EQ(Records(dir_.File(file)), Records(dir_.File("ref.kdz"), 1)) << time;
    }
    EXPECT_NE(Records(dir_.File("out/0003.kdz")), Records(dir_.File("out/0004.kdz")));
    // The log beside the schedule holds the same lines.
    std::ifstream log(dir_.File("shop.log"));
    const std::string logged((std::istreambuf_iterator<char>(log)), {});
    EXPECT_NE(logged.find("default (dark), 1 frame: saved 0005.kdz\n"), std::string::npos)
        << logged;
}

TEST(KadrSchedule, AFieldFileEditShowsWithinTwoSecondsABadScheduleEditIsRefused) {
    TempDir dir;
    WriteText(dir.File("duty.txt"), "Иванова\n");
    WriteText(dir.File("duty.json"), R"({"messages":[{"text":"{file:duty.txt}","show":"line"}]})");
    WriteText(dir.File("s.json"), R"({"entries":[],"default":"duty.json"})");
    // A long run never uses the desktop's display: none that answers must not stop it, and the
    // display's threads must not take the stop signals.
    const ScopedEnv display("DISPLAY", ":9999");
    ChildProcess run(KADR_BIN, {"schedule", dir.File("s.json"), "--save", dir.File("out")});
    ASSERT_TRUE(LineWith(run, "saved 0001.kdz")) << run.Err();
    WriteText(dir.File("duty.txt"), "Петрова-Водкина\n");
    const auto edited = std::chrono::steady_clock::now();
    ASSERT_TRUE(LineWith(run, "saved 0002.kdz", std::chrono::milliseconds(2500))) << run.Out();
    EXPECT_LT(std::chrono::steady_clock::now() - edited, std::chrono::seconds(2));
    EXPECT_GT(ReadBytes(dir.File("out/0002.kdz")).size(),
              ReadBytes(dir.File("out/0001.kdz")).size());

    WriteText(dir.File("s.json"), R"({"entries":[{"from":"25:00"}],"default":"duty.json"})");
    const std::optional<std::string> refused = LineWith(run, "schedule not read again");
    ASSERT_TRUE(refused) << run.Out();
    EXPECT_NE(refused->find("entries[0].from: must be HH:MM (00:00 to 23:59); the schedule "
                            "before it stays"),
              std::string::npos)
        << *refused;
    WriteText(dir.File("duty.txt"), "Сидоров");
    EXPECT_TRUE(LineWith(run, "saved 0003.kdz").has_value()) << "the old schedule still runs";
    run.Signal(SIGTERM);
    EXPECT_EQ(run.Wait(), 0);
}

TEST(KadrSchedule, RetriesDeliverOnceTheUnitIsBackAndCtrlCLeavesThePortFree) {
    TempDir dir;
    const std::string link = dir.File("display");
    ASSERT_EQ(Kadr({"edit", "-", dir.File("a.kdz"), "toggle:1:1"}).exitCode, 0);
    WriteText(dir.File("s.json"),
              R"({"entries":[],"default":"a.kdz","port":")" + link + R"(","timeout":1})");
    const auto simulate = [&](const std::string& save) {
        auto sim = std::make_unique<ChildProcess>(
            KADR_BIN, std::vector<std::string>{"simulate", "--baud", "0", "--link", link, "--save",
                                               dir.File(save)});
        EXPECT_TRUE(sim->ReadLine().has_value());
        return sim;
    };
    // Retries come ten times as fast: 10 s is one.
    const TestClock clock("2024-05-06T12:00:00x10");
    auto sim = simulate("first.kdz");
    ChildProcess run(KADR_BIN, {"schedule", dir.File("s.json")});
    ASSERT_TRUE(LineWith(run, "Программирование завершино")) << run.Out() << run.Err();
    EXPECT_EQ(sim->ReadLine(), "received 1 frames");
    sim->Signal(SIGTERM);
    sim->Wait();

    ASSERT_EQ(Kadr({"edit", "-", dir.File("a.kdz"), "toggle:2:2", "add"}).exitCode, 0);
    ASSERT_TRUE(LineWith(run, "; again in 10 s")) << run.Out();
    sim = simulate("second.kdz");
    ASSERT_TRUE(LineWith(run, "Программирование завершино", std::chrono::seconds(15))) << run.Out();
    EXPECT_EQ(sim->ReadLine(), "received 2 frames");
    EXPECT_EQ(ReadBytes(dir.File("second.kdz")), ReadBytes(dir.File("a.kdz")));

    run.Signal(SIGINT);
    EXPECT_EQ(run.Wait(), 0);
    const testing::ProcessResult again = Kadr({"upload", "--port", link, dir.File("a.kdz")});
    EXPECT_EQ(again.exitCode, 0) << again.out << again.err;
}

TEST(KadrSchedule, OneRunAScheduleAndACrashedRunKeepsNobodyOut) {
    TempDir dir;
    ASSERT_EQ(Kadr({"edit", "-", dir.File("a.kdz"), "toggle:1:1"}).exitCode, 0);
    WriteText(dir.File("s.json"),
              R"({"entries":[],"default":"a.kdz","port":")" + dir.File("no-port") + R"("})");
    auto first = std::make_unique<ChildProcess>(
        KADR_BIN, std::vector<std::string>{"schedule", dir.File("s.json")});
    ASSERT_TRUE(LineWith(*first, "again in 10 s")) << first->Out() << first->Err();
    const std::string pid = std::to_string(first->Pid());

    // Another name of the same file meets the same lock.
    std::filesystem::create_directory(dir.File("sub"));
    ChildProcess second(KADR_BIN, {"schedule", dir.File("sub/../s.json")});
    const std::optional<std::string> refused = LineWith(second, " refused: ");
    ASSERT_TRUE(refused) << second.Out();
    EXPECT_EQ(second.Wait(), 1);
    EXPECT_EQ(refused->substr(19), " refused: already run by process " + pid);
    for (const std::string& said :
         {"already run by process " + pid + " (kadr schedule)\n", "(процесс " + pid + ")"}) {
        EXPECT_NE(second.Err().find(said), std::string::npos) << second.Err();
    }
    // Trying the schedule is never kept out.
    EXPECT_EQ(Kadr({"schedule", dir.File("s.json"), "--check"}).exitCode, 0);
    ChildProcess save(KADR_BIN, {"schedule", dir.File("s.json"), "--save", dir.File("out")});
    EXPECT_TRUE(LineWith(save, "saved 0001.kdz")) << save.Out() << save.Err();
    save.Signal(SIGTERM);
    EXPECT_EQ(save.Wait(), 0);

    // Killed outright, the first run leaves its lock file behind, holding nothing.
    first->Signal(SIGKILL);
    first->Wait();
    ASSERT_TRUE(std::filesystem::exists(dir.File("s.json.lock")));
    ChildProcess third(KADR_BIN, {"schedule", dir.File("s.json")});
    EXPECT_TRUE(LineWith(third, "started: ")) << third.Out() << third.Err();
    third.Signal(SIGTERM);
    EXPECT_EQ(third.Wait(), 0);
}

TEST(KadrMessage, LiveFieldsAreFilledWhenTheFramesAreMade) {
    TempDir dir;
    const TestClock clock("2024-05-06T08:05:00");
    ASSERT_EQ(Kadr({"message", "-", dir.File("live.kdz"), "{time}", "--show", "line"}).exitCode, 0);
    ASSERT_EQ(Kadr({"message", "-", dir.File("typed.kdz"), "08:05", "--show", "line"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.File("live.kdz")), ReadBytes(dir.File("typed.kdz")));

    const testing::ProcessResult unknown = Kadr({"message", "-", "-", "{tiem}"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.err.rfind("kadr: {tiem}: unknown field", 0), 0U) << unknown.err;
    // {file:PATH} of a program is found beside the program, wherever kadr runs.
    std::filesystem::create_directory(dir.File("prog"));
    WriteText(dir.File("prog/p.json"), R"({"messages":[{"text":"{file:n.txt}"}]})");
    const testing::ProcessResult missing = Kadr({"compose", "-", "-", dir.File("prog/p.json")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "kadr: messages[0].text: {file:n.txt}: File not found\n");
    WriteText(dir.File("prog/n.txt"), "08:05\n");
    ASSERT_EQ(Kadr({"compose", "-", dir.File("file.kdz"), dir.File("prog/p.json")}).exitCode, 0);
    ASSERT_EQ(Kadr({"message", "-", dir.File("typed.kdz"), "08:05"}).exitCode, 0);
    EXPECT_EQ(Records(dir.File("file.kdz")), Records(dir.File("typed.kdz")));
}

}  // namespace
}  // namespace kadr
