#include "cli/schedule_command.h"

#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "cli/local_clock.h"
#include "cli/schedule_log.h"
#include "cli/schedule_runner.h"
#include "cli/stop_signals.h"
#include "cli/text_command.h"
#include "device/schedule_lock.h"
#include "frameset/path_parts.h"
#include "pictures/message_font_source.h"
#include "program_file/schedule_file.h"
#include "program_file/show_sets.h"

namespace kadr::cli {
namespace {

using schedule::Schedule;

constexpr int kChangesShown = 10;

struct ScheduleOptions {
    RunOptions run;
    bool check = false;
};

ScheduleOptions ParseScheduleArgs(const Args& args) {
    ScheduleOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--port") {
            options.run.port = OptionValue(args, i);
        } else if (arg == "--check") {
            options.check = true;
        } else if (arg == "--save") {
            options.run.saveDir = OptionValue(args, i);
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError("unknown option '" + arg + "'");
        } else if (options.run.schedulePath.empty()) {
            options.run.schedulePath = arg;
        } else {
            throw UsageError("schedule takes one SCHEDULE");
        }
    }
    if (options.run.schedulePath.empty()) {
        throw UsageError("schedule needs a SCHEDULE file");
    }
    return options;
}

// The schedule with its line checked; Error naming the file and the field otherwise.
Schedule LoadSchedule(const RunOptions& options) {
    try {
        Schedule schedule = schedule::ReadScheduleFile(options.schedulePath);
        ResolveScheduleLine(schedule.line, options.port);
        return schedule;
    } catch (const Error& e) {
        throw Error(options.schedulePath + ": " + e.what());
    }
}

std::string DayText(int minuteOfWeek) {
    return std::string(schedule::DayName(minuteOfWeek / schedule::kMinutesPerDay)) + " " +
           schedule::ClockName(minuteOfWeek % schedule::kMinutesPerDay);
}

std::string Padded(const std::string& text, std::size_t width) {
    const std::size_t length = CharacterCount(text);
    return text + std::string(length < width ? width - length : 0, ' ');
}

// Every show made once at `at`: its frames, or why it cannot be made. False when one cannot.
bool PrintShows(const RunOptions& options, const Schedule& s, schedule::LocalSeconds at,
                messages::FontSource& fonts) {
    bool good = true;
    for (int entry = -1; entry < static_cast<int>(s.entries.size()); ++entry) {
        const schedule::ShowSet made = schedule::MakeShowSet(
            schedule::EntryShowPath(options.schedulePath, s, entry), s, at, fonts);
        if (made.set) {
            std::printf("%s: %s%s\n", schedule::EntryLabel(s, entry).c_str(),
                        FramesText(made.set->FrameCount()).c_str(),
                        made.clock ? ", made again every minute" : "");
        } else {
            std::printf("%s: %s\n", schedule::EntryLabel(s, entry).c_str(), made.error.c_str());
            good = false;
        }
    }
    return good;
}

int Check(const RunOptions& options, const Schedule& s, messages::FontSource& fonts) {
    const std::unique_ptr<Clock> clock = MakeClock();
    const schedule::LocalSeconds now = clock->Now().local;
    const schedule::WeekTable table(s);
    bool good = PrintShows(options, s, now, fonts);
    for (const schedule::Overlap& o : schedule::Overlaps(s)) {
        std::printf(
            "overlap: entries[%d] and entries[%d] both cover %s to %s (%d minutes a week "
            "in all); entries[%d] shows then\n",
            o.winner, o.loser, DayText(o.firstMinute).c_str(),
            DayText((o.firstMinute + o.firstLength) % schedule::kMinutesPerWeek).c_str(),
            o.totalMinutes, o.winner);
    }
    for (const int hidden : schedule::HiddenEntries(s, table)) {
        std::printf("entries[%d] never shows: the entries before it cover all its time\n", hidden);
    }
    std::printf("now %s: %s\n", schedule::StampText(now).c_str(),
                schedule::EntryLabel(s, table.InForce(now)).c_str());
    const std::vector<schedule::Change> changes = schedule::NextChanges(table, now, kChangesShown);
    if (changes.empty()) {
        std::printf("no changes: one show all week\n");
        return good ? kExitOk : kExitFailed;
    }
    std::size_t width = 5;
    for (const schedule::Change& change : changes) {
        width = std::max(width, CharacterCount(schedule::EntryLabel(s, change.entry)));
    }
    std::printf("%s  %s  frames\n", Padded("time", 16).c_str(), Padded("entry", width).c_str());
    for (const schedule::Change& change : changes) {
        const schedule::ShowSet made = schedule::MakeShowSet(
            schedule::EntryShowPath(options.schedulePath, s, change.entry), s, change.at, fonts);
        const std::string frames = made.set ? std::to_string(made.set->FrameCount()) : "-";
        std::printf("%s  %s  %s\n", schedule::StampText(change.at).substr(0, 16).c_str(),
                    Padded(schedule::EntryLabel(s, change.entry), width).c_str(), frames.c_str());
    }
    return good ? kExitOk : kExitFailed;
}

// The schedule's lock, held for the run; a run already there refuses this one, said on stderr
// and in the log. A lock that cannot be made (a folder that cannot be written) keeps nobody out,
// which the log says.
std::unique_ptr<LockFile> HoldScheduleLock(const RunOptions& options) {
    ScheduleLog log(LogPathFor(options.schedulePath));
    try {
        ScheduleLockAttempt attempt = TakeScheduleLock(options.schedulePath);
        if (attempt.lock) {
            return std::move(attempt.lock);
        }
        const bool known = attempt.holder != 0;
        const std::string number = std::to_string(attempt.holder);
        const std::string who =
            known ? "process " + number : "another process (its number cannot be read)";
        log.Line(MakeClock()->Now().local, "refused: already run by " + who);
        throw Error(options.schedulePath + ": already run by " + who + " (kadr schedule)\n" +
                    "Это расписание уже выполняется" + (known ? " (процесс " + number + ")" : "") +
                    ". Остановите тот запуск (\"Остановить\" в окне \"Расписание...\" редактора, "
                    "Ctrl+C там, где он запущен, или завершите процесс) и запустите снова.");
    } catch (const FileError& e) {
        log.Line(MakeClock()->Now().local, "no lock: " + ScheduleLockPath(options.schedulePath) +
                                               ": " + e.what() +
                                               "; a second run of this schedule is not kept out");
        return nullptr;
    }
}

}  // namespace

int RunSchedule(const Args& args) {
    const ScheduleOptions options = ParseScheduleArgs(args);
    const Schedule schedule = LoadSchedule(options.run);
    // Only a run that uploads takes the lock: --check and --save send nothing to the unit.
    const std::unique_ptr<LockFile> lock =
        options.check || options.run.saveDir ? nullptr : HoldScheduleLock(options.run);
    // Before any thread starts (Qt's own among them), so that the signals come only to us.
    const std::unique_ptr<StopSignals> stops =
        options.check ? nullptr : std::make_unique<StopSignals>();
    // Programs may name desktop fonts; the font database needs an application, which also runs
    // the event loop of the uploads.
    const std::unique_ptr<QGuiApplication> application = StartFontDatabase(true);
    MessageFontSource fonts;
    if (options.check) {
        return Check(options.run, schedule, fonts);
    }
    const std::unique_ptr<Clock> clock = MakeClock();
    ScheduleRunner runner(options.run, schedule, *clock, fonts);
    return runner.Run(*stops);
}

}  // namespace kadr::cli
