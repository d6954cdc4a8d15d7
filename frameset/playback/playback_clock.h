#pragma once

#include <chrono>
#include <cstddef>
#include <optional>

#include "frameset/playback/timeline.h"

namespace kadr::playback {

// Where playback stands in a looping timeline. The position is worked out from one anchor and
// the reading of a steady clock, never by adding up timer ticks, so a late tick shows the
// right step and a long run does not drift. The caller passes the clock readings in.
class PlaybackClock {
  public:
    using Time = std::chrono::nanoseconds;  // a steady clock's reading since its epoch

    bool Playing() const { return playing_; }
    void Play(Time now);
    void Pause(Time now);

    // Milliseconds into the pass, 0 <= result < TotalMs (0 for an empty timeline).
    double PositionMs(const Timeline& timeline, Time now) const;
    std::size_t StepAt(const Timeline& timeline, Time now) const;
    // Shows step `step` from its beginning, playing on if it was playing.
    void Seek(const Timeline& timeline, std::size_t step, Time now);
    // The timeline was rebuilt (an edit, a speed): the step shown stays, and so does the part
    // of it that has passed, so that a new speed takes effect at once.
    void Retime(const Timeline& before, const Timeline& after, Time now);
    // While playing, how long until the next step begins; none while paused or empty.
    std::optional<Time> UntilNextStep(const Timeline& timeline, Time now) const;

  private:
    bool playing_ = false;
    Time anchor_{0};
    double anchorMs_ = 0;  // the position at anchor_
};

}  // namespace kadr::playback
