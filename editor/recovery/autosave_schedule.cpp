#include "editor/recovery/autosave_schedule.h"

namespace kadr::editor {

AutosaveSchedule::Action AutosaveSchedule::Poll(Clock::time_point now, bool unsaved, bool changed,
                                                bool dragging) {
    if (!unsaved) {
        // Saved, new, read, or undone back to the file: nothing left to recover.
        firstPending_.reset();
        if (copyExists_) {
            copyExists_ = false;
            return Action::Discard;
        }
        return Action::None;
    }
    // A change made and taken back between two polls still leaves the document unsaved.
    if (changed || (!copyExists_ && !firstPending_)) {
        lastChange_ = now;
        if (!firstPending_) {
            firstPending_ = now;
        }
    }
    if (!firstPending_ || dragging) {
        return Action::None;
    }
    if (now - lastChange_ >= kQuiet || now - *firstPending_ >= kLongest) {
        firstPending_.reset();
        copyExists_ = true;
        return Action::Write;
    }
    return Action::None;
}

void AutosaveSchedule::WrittenNow() {
    firstPending_.reset();
    copyExists_ = true;
}

}  // namespace kadr::editor
