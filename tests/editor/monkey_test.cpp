// The whole window under random input: every command, shortcut, mouse gesture on the grids and
// buttons, scale, text typed into every box, import, file and every dialog answered at random,
// with the document's invariants checked after every step, the editor closed and started again
// now and then, and a save read back at the end.
//
// Fixed seeds run in every test run; KADR_MONKEY_SEED and KADR_MONKEY_STEPS run any other
// (a failure names both, so that it can be replayed).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include <QApplication>
#include <QTest>

#include "editor/window/recovery_session.h"
#include "frameset/display_file.h"
#include "frameset/file_system.h"
#include "frameset/recovery_copy.h"
#include "full_editor_fixture.h"
#include "monkey_driver.h"
#include "tests/support/temp_dir.h"

namespace kadr::editor::testing {
namespace {

struct MonkeyRun {
    std::uint32_t seed;
    int steps;
};

bool SameFrames(const FrameSet& a, const FrameSet& b) {
    if (a.LastFrame != b.LastFrame) {
        return false;
    }
    for (int f = 0; f <= a.LastFrame; ++f) {
        if (a.Frames[static_cast<std::size_t>(f)] != b.Frames[static_cast<std::size_t>(f)]) {
            return false;
        }
    }
    return a.SpeedAnim == b.SpeedAnim && a.SpeedRow == b.SpeedRow &&
           a.OrientationFlag == b.OrientationFlag;
}

class MonkeyTest : public FullEditorTest {
  protected:
    void Drive(const MonkeyRun& run) {
        const std::string replay = "seed " + std::to_string(run.seed) +
                                   " (KADR_MONKEY_SEED=" + std::to_string(run.seed) +
                                   " KADR_MONKEY_STEPS=" + std::to_string(run.steps) + ")";
        // Exit may close the window; the run goes on with it shown again.
        QApplication::setQuitOnLastWindowClosed(false);
        std::filesystem::create_directories(dir_.File("recovery"));
        // Between parts the editor is closed, which stores its settings, and started again,
        // which reads them: whatever was typed into a dialog goes through the store.
        int answered = 0;
        std::map<QString, int> met;
        for (int first = 1; first <= run.steps; first += kStepsPerRun) {
            const int last = std::min(run.steps, first + kStepsPerRun - 1);
            Part(run, first, last, replay, answered, met);
            if (HasFatalFailure()) {
                return;
            }
            if (last == run.steps) {
                SaveAndReadBack(replay);
            }
            RestartKeepsThePortChoice(replay, last);
        }
        std::printf("%s: %d steps, %d windows answered\n", replay.c_str(), run.steps, answered);
        QString shown;
        for (const auto& [kind, count] : met) {
            shown += QStringLiteral(" %1=%2").arg(kind).arg(count);
        }
        std::printf("windows met:%s\n", qPrintable(shown));
        // Thousands of steps reach every dialog of the window; one never met means a command
        // the monkey can no longer reach.
        for (const char* kind :
             {"TfmNew", "TfmTextLine", "TfmMessages", "TfmImport", "TfmParam", "TfmSchedule",
              "OpenDialog1", "SaveDialog1", "ImportOpenDialog", "SaveQuestion"}) {
            if (run.steps >= 3000) {
                EXPECT_GT(met.count(QString::fromLatin1(kind)), 0U)
                    << replay << ": never met " << kind;
            }
        }
    }

    // Steps `first` to `last` on one run of the editor, with its own recovery session.
    void Part(const MonkeyRun& run, int first, int last, const std::string& replay, int& answered,
              std::map<QString, int>& met) {
        RecoverySession recovery(Main(), QString::fromStdString(dir_.File("recovery")));
        Monkey monkey(Main(), run.seed * 7919U + static_cast<std::uint32_t>(first),
                      Utf8FromPath(dir_.Path()));
        monkey.SetCopyNow([&recovery] { recovery.Saver().WriteNow(); });
        for (int step = first; step <= last; ++step) {
            const std::string done = monkey.Step();
            const std::string broken = monkey.Broken();
            ASSERT_TRUE(broken.empty()) << replay << ", step " << step << " (" << done
                                        << "): " << broken << "\nlast steps:\n"
                                        << monkey.Recent();
            ASSERT_FALSE(monkey.Answerer().Stuck())
                << replay << ", step " << step << ": a window keeps coming back\n"
                << monkey.Recent();
            ASSERT_EQ(QApplication::activeModalWidget(), nullptr)
                << replay << ", step " << step << ": a window stayed open";
        }
        monkey.Answerer().SetEnabled(false);
        answered += monkey.Answerer().Answered();
        for (const auto& [kind, count] : monkey.Answerer().Met()) {
            met[kind] += count;
        }
        CheckRecoveryCopy(recovery, replay);
    }

    // Closing the editor stores the port dialog's choice, starting it again brings it back.
    void RestartKeepsThePortChoice(const std::string& replay, int step) {
        const std::string port = Main().Comm().ChosenPort();
        const auto speed = Main().Comm().BaudRate;
        const int timeout = Main().Upload().SendTimeoutInterval();
        Restart();
        const std::string where = replay + ", restarted after step " + std::to_string(step);
        EXPECT_EQ(Main().Comm().ChosenPort(), port) << where;
        EXPECT_EQ(Main().Comm().BaudRate, speed) << where;
        EXPECT_EQ(Main().Upload().SendTimeoutInterval(), timeout) << where;
    }

    static constexpr int kStepsPerRun = 1000;

    // Whatever the copy holds was written whole.
    static void CheckRecoveryCopy(RecoverySession& recovery, const std::string& replay) {
        recovery.Saver().Flush();
        EXPECT_EQ(recovery.Saver().Writer().Failed(), 0) << replay;
        const std::string own = recovery.Store().OwnCopyPath().toStdString();
        if (std::filesystem::exists(own)) {
            EXPECT_NE(DecodeRecoveryCopy(kadr::testing::ReadBytes(own)), nullptr) << replay;
        }
    }

    void SaveAndReadBack(const std::string& replay) {
        const QString path = File(QStringLiteral("final.kdz"));
        ModalScript save;
        save.ChooseFile(path);
        Run(Main().Actions().acSaveAs, save);
        const auto saved = std::make_unique<FrameSet>(Set());
        const auto read = std::make_unique<FrameSet>();
        ReadDisplayFile(path.toStdString(), *read);
        EXPECT_TRUE(SameFrames(*saved, *read)) << replay << ": the file is not the document";
        Main().Load(path);
        EXPECT_TRUE(SameFrames(*saved, Set())) << replay << ": read back differs";
        EXPECT_EQ(Caption(), QStringLiteral("Кадрописец - final.kdz")) << replay;
        EXPECT_FALSE(Main().HasUnsavedChanges()) << replay;
    }
};

class FixedSeeds : public MonkeyTest, public ::testing::WithParamInterface<MonkeyRun> {};

TEST_P(FixedSeeds, InvariantsHoldAndTheDocumentSurvivesASave) {
    Drive(GetParam());
}

// Six runs of 3500 steps: 21,000 steps in all, in cases short enough to run side by side.
INSTANTIATE_TEST_SUITE_P(Monkey, FixedSeeds,
                         ::testing::Values(MonkeyRun{1, 3500}, MonkeyRun{2, 3500},
                                           MonkeyRun{3, 3500}, MonkeyRun{4, 3500},
                                           MonkeyRun{5, 3500}, MonkeyRun{6, 3500}),
                         [](const ::testing::TestParamInfo<MonkeyRun>& info) {
                             return "Seed" + std::to_string(info.param.seed);
                         });

TEST_F(MonkeyTest, SeedFromTheEnvironment) {
    const char* seed = std::getenv("KADR_MONKEY_SEED");
    if (seed == nullptr) {
        GTEST_SKIP() << "KADR_MONKEY_SEED not set";
    }
    const char* steps = std::getenv("KADR_MONKEY_STEPS");
    Drive(MonkeyRun{static_cast<std::uint32_t>(std::strtoul(seed, nullptr, 10)),
                    steps != nullptr ? std::atoi(steps) : 10000});
}

}  // namespace
}  // namespace kadr::editor::testing
