// What `kadr schedule` does at every look (once a second at most) and the dialog once a second:
// which entry is in force and when the next change comes, on a busy schedule of 40 entries; the
// table made once per schedule read; and the live fields of a message filled in.
#include <benchmark/benchmark.h>

#include "frameset/messages/live_fields.h"
#include "frameset/schedule/schedule_run.h"

namespace {

using namespace kadr::schedule;

// 40 entries of an hour or two on varying days, some past midnight, many overlapping.
Schedule BusySchedule() {
    Schedule s;
    for (int i = 0; i < 40; ++i) {
        const int from = (i * 97) % kMinutesPerDay;
        s.entries.push_back({static_cast<DayMask>(1 + (i * 37) % kEveryDay), from,
                             (from + 60 + (i % 3) * 30) % kMinutesPerDay,
                             "show" + std::to_string(i) + ".kdz"});
    }
    s.defaultShow = "default.kdz";
    return s;
}

void BM_WeekTableMade(benchmark::State& state) {
    const Schedule s = BusySchedule();
    for (auto _ : state) {
        WeekTable table(s);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_WeekTableMade);

void BM_InForceAndNextChange(benchmark::State& state) {
    const WeekTable table(BusySchedule());
    LocalSeconds t = FromCivil({2024, 5, 6, 0, 0, 0});
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.InForce(t));
        benchmark::DoNotOptimize(table.NextChange(t));
        t += 617;  // every minute of the week in turn, out of step with the boundaries
    }
}
BENCHMARK(BM_InForceAndNextChange);

// A look of the runner: the follower, the table and the decision.
void BM_RunnerLook(benchmark::State& state) {
    ScheduleRun run(BusySchedule());
    LocalSeconds t = FromCivil({2024, 5, 6, 0, 0, 0});
    std::int64_t ms = 0;
    for (auto _ : state) {
        const ScheduleRun::Look look = run.LookAt({t, t, ms}, false);
        if (look.make) {
            run.Made({look.entry, {static_cast<std::uint8_t>(look.entry)}, false});
            if (run.TakeDue({t, t, ms})) {
                run.Ended(true, {t, t, ms});
            }
        }
        benchmark::DoNotOptimize(run.NextLocalEvent());
        ++t;
        ms += 1000;
    }
}
BENCHMARK(BM_RunnerLook);

void BM_FillFields(benchmark::State& state) {
    const kadr::messages::FieldValues values{
        FromCivil({2024, 5, 6, 8, 5, 9}), [](const std::string&) {
            return kadr::messages::FileLine{"USD 92,50  EUR 99,10", {}};
        }};
    const std::string text = "Сегодня {weekday}, {date}, {time}. Курс: {file:курс.txt} {{*}}";
    for (auto _ : state) {
        benchmark::DoNotOptimize(kadr::messages::FillFields(text, values));
    }
}
BENCHMARK(BM_FillFields);

}  // namespace

BENCHMARK_MAIN();
