// The whole window under random input: every command, shortcut, mouse gesture on the grids and
// buttons, scale, speed, text line, import, file and every dialog answered at random, with the
// document's invariants checked after every step and a save read back at the end.
//
// Fixed seeds run in every test run; KADR_MONKEY_SEED and KADR_MONKEY_STEPS run any other
// (a failure names both, so that it can be replayed).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <QApplication>
#include <QTest>

#include "editor/window/recovery_session.h"
#include "frameset/display_file.h"
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
        RecoverySession recovery(Main(), QString::fromStdString(dir_.File("recovery")));
        Monkey monkey(Main(), run.seed, dir_.Path().string());
        monkey.SetCopyNow([&recovery] { recovery.Saver().WriteNow(); });
        for (int step = 1; step <= run.steps; ++step) {
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
        std::printf("%s: %d steps, %d windows answered, %d recovery copies written\n",
                    replay.c_str(), run.steps, monkey.Answerer().Answered(),
                    recovery.Saver().Writer().Written());
        std::string met;
        for (const auto& [kind, count] : monkey.Answerer().Met()) {
            met += " " + kind.toStdString() + "=" + std::to_string(count);
        }
        std::printf("windows met:%s\n", met.c_str());
        // Thousands of steps reach every dialog of the window; one never met means a command
        // the monkey can no longer reach.
        for (const char* kind :
             {"TfmNew", "TfmTextLine", "TfmMessages", "TfmImport", "TfmParam", "TfmSchedule",
              "OpenDialog1", "SaveDialog1", "ImportOpenDialog", "SaveQuestion"}) {
            if (run.steps >= 3000) {
                EXPECT_GT(monkey.Answerer().Met().count(QString::fromLatin1(kind)), 0U)
                    << replay << ": never met " << kind;
            }
        }
        CheckRecoveryCopy(recovery, replay);
        SaveAndReadBack(replay);
    }

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
