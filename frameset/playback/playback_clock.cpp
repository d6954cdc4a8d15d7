#include "frameset/playback/playback_clock.h"

#include <algorithm>
#include <cmath>

namespace kadr::playback {
namespace {

double Milliseconds(PlaybackClock::Time t) {
    return std::chrono::duration<double, std::milli>(t).count();
}

}  // namespace

void PlaybackClock::Play(Time now) {
    if (!playing_) {
        anchor_ = now;
        playing_ = true;
    }
}

void PlaybackClock::Pause(Time now) {
    if (playing_) {
        // The pass length is unknown here; PositionMs wraps the held position when asked.
        anchorMs_ += Milliseconds(now - anchor_);
        anchor_ = now;
        playing_ = false;
    }
}

double PlaybackClock::PositionMs(const Timeline& timeline, Time now) const {
    const double total = timeline.TotalMs();
    if (timeline.Empty() || total <= 0) {
        return 0;
    }
    double at = anchorMs_ + (playing_ ? Milliseconds(now - anchor_) : 0.0);
    at = std::fmod(at, total);
    return at < 0 ? at + total : at;
}

std::size_t PlaybackClock::StepAt(const Timeline& timeline, Time now) const {
    return timeline.StepAt(PositionMs(timeline, now));
}

void PlaybackClock::Seek(const Timeline& timeline, std::size_t step, Time now) {
    anchor_ = now;
    anchorMs_ =
        timeline.Empty() ? 0.0 : timeline.startMs[std::min(step, timeline.steps.size() - 1)];
}

void PlaybackClock::Retime(const Timeline& before, const Timeline& after, Time now) {
    std::size_t step = 0;
    double fraction = 0;
    if (!before.Empty()) {
        const double at = PositionMs(before, now);
        step = before.StepAt(at);
        const double duration = before.steps[step].durationMs;
        fraction = duration > 0 ? std::clamp((at - before.startMs[step]) / duration, 0.0, 1.0) : 0;
    }
    anchor_ = now;
    if (after.Empty()) {
        anchorMs_ = 0;
        return;
    }
    if (step >= after.steps.size()) {
        // The set got shorter than where playback stood: go on from the start.
        anchorMs_ = 0;
        return;
    }
    anchorMs_ = after.startMs[step] + fraction * after.steps[step].durationMs;
}

std::optional<PlaybackClock::Time> PlaybackClock::UntilNextStep(const Timeline& timeline,
                                                                Time now) const {
    if (!playing_ || timeline.Empty()) {
        return std::nullopt;
    }
    const double at = PositionMs(timeline, now);
    const std::size_t step = timeline.StepAt(at);
    const double left = std::max(0.0, timeline.startMs[step + 1] - at);
    return std::chrono::duration_cast<Time>(std::chrono::duration<double, std::milli>(left)) +
           Time{1};
}

}  // namespace kadr::playback
