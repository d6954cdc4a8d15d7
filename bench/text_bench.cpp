// The text tool redraws its preview on every key: rendering and cutting a line that fills the
// frame set must stay far below a keystroke's time.
#include <benchmark/benchmark.h>

#include <string>

#include "frameset/document.h"
#include "frameset/text/builtin_font.h"
#include "frameset/text/running_line.h"

namespace {

// About 1,300 characters: in the built-in font some 250 frames of text, the most the set holds.
std::string LongText() {
    std::string text;
    while (text.size() < 2400) {
        text += "Съешь же ещё этих мягких французских булок, да выпей чаю! 2026 ";
    }
    return text;
}

void BM_RenderLongText(benchmark::State& state) {
    const kadr::text::BuiltinFont font(static_cast<int>(state.range(0)));
    const std::string text = LongText();
    int width = 0;
    for (auto _ : state) {
        const kadr::text::RenderedText rendered = kadr::text::RenderText(text, font, {});
        width = rendered.picture.width;
        benchmark::DoNotOptimize(rendered.picture.ink.data());
    }
    state.counters["columns"] = width;
    state.counters["frames"] = kadr::text::RunningLineFrameTotal(width);
}
BENCHMARK(BM_RenderLongText)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_InsertFullRunningLine(benchmark::State& state) {
    const kadr::text::BuiltinFont font;
    // Just under the capacity after the start-up frame.
    std::string text = LongText();
    kadr::text::RenderedText rendered = kadr::text::RenderText(text, font, {});
    while (kadr::text::RunningLineFrameTotal(rendered.picture.width) > 255) {
        while ((static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
            text.pop_back();
        }
        text.pop_back();
        rendered = kadr::text::RenderText(text, font, {});
    }
    kadr::Document document;
    for (auto _ : state) {
        const kadr::text::LineInsertion line = kadr::text::InsertRunningLine(document, rendered);
        if (line.refusal != kadr::text::LineRefusal::None) {
            state.SkipWithError("refused");
            break;
        }
        document.Undo();
    }
    state.counters["frames"] = kadr::text::RunningLineFrameTotal(rendered.picture.width);
}
BENCHMARK(BM_InsertFullRunningLine)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
