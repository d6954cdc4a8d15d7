// The messages dialog makes its program again on every key: 20 still messages with effects and
// one long running line, drawn, cut into frames and inserted, must stay well under a millisecond.
#include <benchmark/benchmark.h>

#include <string>

#include "frameset/document.h"
#include "frameset/messages/program_insertion.h"
#include "frameset/playback/timeline.h"

namespace {

using kadr::messages::Effect;
using kadr::messages::Message;
using kadr::messages::Program;

// 20 centred one-character still texts with the effects that suit them, held a tenth of a second at
// 10 frames a second, then a running line as long as the rest of the 256 frames allows.
Program BusyProgram(kadr::messages::FontSource& fonts) {
    const Effect ins[] = {Effect::WipeRight, Effect::Open,  Effect::Typewriter, Effect::Dissolve,
                          Effect::ScrollUp,  Effect::Close, Effect::WipeLeft,   Effect::ScrollDown,
                          Effect::None,      Effect::Open};
    const Effect outs[] = {
        Effect::Close,    Effect::WipeLeft,  Effect::Open,     Effect::None, Effect::ScrollDown,
        Effect::Dissolve, Effect::WipeRight, Effect::ScrollUp, Effect::None, Effect::WipeLeft};
    Program program;
    program.speedAnim = 10;
    for (int i = 0; i < 20; ++i) {
        Message m;
        m.text = std::to_string(i % 10);
        m.in = ins[i % 10];
        m.out = outs[(i + 3) % 10];
        m.hold = 0.1;
        m.blink = i % 4 == 0 ? 1 : 0;
        program.messages.push_back(m);
    }
    Message line;
    line.show = kadr::messages::Show::Line;
    line.text = "Скидки до 50% на всё! ";
    program.messages.push_back(line);
    kadr::Document probe;
    // Lengthen the line while the whole still fits after the start-up frame.
    while (true) {
        Program longer = program;
        longer.messages.back().text += "Скидки! ";
        if (kadr::messages::CheckProgram(probe, longer, fonts).refusal !=
            kadr::messages::Refusal::None) {
            break;
        }
        program = longer;
    }
    return program;
}

void BM_InsertBusyProgram(benchmark::State& state) {
    kadr::messages::BuiltinFonts fonts;
    const Program program = BusyProgram(fonts);
    kadr::Document document;
    int added = 0;
    for (auto _ : state) {
        const kadr::messages::ProgramInsertion done =
            kadr::messages::InsertProgram(document, program, fonts);
        if (done.plan.refusal != kadr::messages::Refusal::None) {
            state.SkipWithError(
                ("refused: " + std::to_string(done.plan.added) + " frames").c_str());
            break;
        }
        added = done.plan.added;
        document.Undo();
    }
    state.counters["frames"] = added;
    state.counters["messages"] = static_cast<double>(program.messages.size());
}
BENCHMARK(BM_InsertBusyProgram)->Unit(benchmark::kMicrosecond);

// What the dialog does on a key: the program planned, its frames made and its playback built.
void BM_PreviewBusyProgram(benchmark::State& state) {
    kadr::messages::BuiltinFonts fonts;
    const Program program = BusyProgram(fonts);
    kadr::FrameSet set;
    kadr::playback::Timeline timeline;
    for (auto _ : state) {
        const kadr::messages::ProgramPlan plan = kadr::messages::PlanProgram(program, fonts, 10, 0);
        const std::vector<kadr::Frame> frames = kadr::messages::ProgramFrames(plan);
        std::copy(frames.begin(), frames.end(), set.Frames.begin());
        set.LastFrame = static_cast<int>(frames.size()) - 1;
        kadr::playback::BuildTimeline(set, timeline);
        benchmark::DoNotOptimize(timeline.steps.data());
    }
    state.counters["steps"] = static_cast<double>(timeline.steps.size());
}
BENCHMARK(BM_PreviewBusyProgram)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
