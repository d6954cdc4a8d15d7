#pragma once

#include <chrono>
#include <optional>

namespace kadr::editor {

// When the recovery copy is written and when it goes, decided from what a poll of the window
// finds, with the times given by the caller so that the rules can be tried without waiting.
//
// A copy is written kQuiet after the last change, so that a burst of clicks is one write, not
// one per click; while changes keep coming without a pause it is written no later than kLongest
// after the first change it lacks, so that at most that much work is lost when the power goes
// during long uninterrupted drawing. Both are far below the ten seconds a user would still
// call "a moment ago", and a write costs the window almost nothing (it is done off the main
// thread), so there is no reason to wait longer. A pressed mouse button postpones the write to
// the first poll after the release: a drag is one gesture and half of it is no state to recover.
class AutosaveSchedule {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kQuiet{2000};
    static constexpr std::chrono::milliseconds kLongest{5000};

    enum class Action { None, Write, Discard };

    // `unsaved`: the document differs from its file (or has none and was changed);
    // `changed`: it differs from what the previous poll saw.
    Action Poll(Clock::time_point now, bool unsaved, bool changed, bool dragging);

    // A copy written outside the schedule (a recovered document made this editor's own).
    void WrittenNow();

    bool CopyExists() const { return copyExists_; }

  private:
    std::optional<Clock::time_point> firstPending_;
    Clock::time_point lastChange_{};
    bool copyExists_ = false;
};

}  // namespace kadr::editor
