#pragma once

#include <vector>

#include "frameset/frame_set.h"

namespace kadr::playback {

// What a playback depends on: the frames in use and the two speeds. The preview keeps one to
// notice any change of the document, whichever command, file or undo step made it, without
// each of them having to report.
class PlaybackInput {
  public:
    // Keeps `set`'s state and returns true when it plays differently from the state kept.
    bool Update(const FrameSet& set);

  private:
    bool kept_ = false;
    int speedAnim_ = 0;
    int speedRow_ = 0;
    std::vector<Frame> frames_;
};

}  // namespace kadr::playback
