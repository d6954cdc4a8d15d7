// The runner's own parts: its log kept small beside the schedule, the files it watches, and the
// test clock that lets a day pass in seconds.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "cli/file_watch.h"
#include "cli/local_clock.h"
#include "cli/schedule_log.h"
#include "frameset/errors.h"
#include "tests/support/temp_dir.h"

namespace kadr::cli {
namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

TEST(ScheduleLog, LinesGoBesideTheScheduleAndAFullLogMakesWayOnce) {
    testing::TempDir dir;
    EXPECT_EQ(LogPathFor(dir.File("магазин.json")), dir.File("магазин.log"));
    ScheduleLog log(LogPathFor(dir.File("магазин.json")));
    const schedule::LocalSeconds at = schedule::FromCivil({2024, 5, 6, 8, 0, 0});
    log.Line(at, "one");
    EXPECT_EQ(Read(log.Path()), "2024-05-06 08:00:00 one\n");
    // Just past the limit: the next line starts a new log, the old one becomes .1 (replacing the
    // .1 before it), and nothing more is kept.
    std::ofstream(log.Path(), std::ios::binary) << std::string(ScheduleLog::kMaxLogBytes + 1, 'x');
    std::ofstream(log.Path() + ".1", std::ios::binary) << "older";
    log.Line(at + 1, "two");
    EXPECT_EQ(Read(log.Path()), "2024-05-06 08:00:01 two\n");
    EXPECT_EQ(Read(log.Path() + ".1").size(), ScheduleLog::kMaxLogBytes + 1);
    std::ofstream(log.Path(), std::ios::binary) << std::string(ScheduleLog::kMaxLogBytes, 'x');
    log.Line(at + 2, "three");
    EXPECT_EQ(Read(log.Path()).size(), ScheduleLog::kMaxLogBytes + 26) << "not yet past it";
}

TEST(FileWatch, WritingRemovingAndMakingAFileAreChanges) {
    testing::TempDir dir;
    const std::string file = dir.File("курс.txt");
    std::ofstream(file) << "USD 92";
    FileWatch watch;
    watch.Watch({file, dir.File("нет.txt")});
    EXPECT_FALSE(watch.Changed());
    std::ofstream(file) << "USD 92,5";  // one byte more, whatever the clock's resolution
    EXPECT_TRUE(watch.Changed());
    EXPECT_FALSE(watch.Changed()) << "a change is told once";
    std::filesystem::remove(file);
    EXPECT_TRUE(watch.Changed());
    std::ofstream(dir.File("нет.txt")) << "";
    EXPECT_TRUE(watch.Changed()) << "a file that appears";
}

TEST(TestClock, StartsWhereToldAndRunsAtItsRate) {
    setenv("KADR_TEST_CLOCK", "2024-05-06T07:59:30x60", 1);
    const std::unique_ptr<Clock> clock = MakeClock();
    const schedule::Moment now = clock->Now();
    EXPECT_GE(now.local, schedule::FromCivil({2024, 5, 6, 7, 59, 30}));
    EXPECT_LT(now.local, schedule::FromCivil({2024, 5, 6, 7, 59, 40}));
    EXPECT_EQ(now.utc, now.local);
    // 30 s of the clock are half a second of real time; its 60 s of retry a second.
    EXPECT_LE(clock->MsUntil(schedule::FromCivil({2024, 5, 6, 8, 0, 0})), 500);
    EXPECT_EQ(clock->RealMs(60'000), 1000);
    for (const char* bad : {"2024-05-06 07:59:30", "2024-05-06T07:59", "2024-05-06T07:59:30x0",
                            "2024-05-06T07:59:30x"}) {
        setenv("KADR_TEST_CLOCK", bad, 1);
        EXPECT_THROW(MakeClock(), Error) << bad;
    }
    unsetenv("KADR_TEST_CLOCK");
    EXPECT_EQ(MakeClock()->RealMs(60'000), 60'000);
}

}  // namespace
}  // namespace kadr::cli
