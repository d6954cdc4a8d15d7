#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "frameset/drawing/dot_cells.h"
#include "frameset/frame_set.h"

namespace kadr::playback {

// The display shows the kDotRows (14) dot rows of a frame; the mark rows are the unit's business.
// Its rows are the dot rows the drawing tools work in: 0..6 are frame rows 1..7 (upper
// modules), 7..13 are frame rows 9..15.
inline constexpr int kDisplayColumns = kColumns;  // 28
constexpr int FrameRowOf(int displayRow) {
    return FrameRowOfDotRow(displayRow);
}

// One picture of the display: a lit LED is a set dot. Each column is a mask with bit r for
// display row r, so that moving a running line is a copy of whole columns.
struct Picture {
    std::array<std::uint16_t, kDisplayColumns> columns{};

    bool Lit(int column, int row) const {
        return ((columns[static_cast<std::size_t>(column)] >> row) & 1U) != 0;
    }
    void SetLit(int column, int row, bool lit);
    int LitCount() const;
    bool operator==(const Picture&) const = default;
};

// The picture of one frame as the display shows it, whatever its kind.
Picture PictureOf(const Frame& frame);
// The animation frame that shows `picture`: PictureOf undone.
Frame AnimationFrameOf(const Picture& picture);

// Why a step is shown: one frame on its own, or one position of a running line.
struct Step {
    Picture picture;
    double durationMs = 0;
    int frame = 0;  // the frame shown (0-based); for a line step, its start frame
    bool lineStep = false;
    int lineIndex = 0;  // for a line step: 0 .. lineSteps - 1
    int lineSteps = 0;
    int lineFrames = 0;  // for a line step: the number of frames in its strip
};

// Sequences the unit plays on although they are not what the user probably meant.
enum class NoteKind {
    EmptySet,          // nothing to play
    UnclosedLine,      // a start frame with no end frame after it: the line runs to the end
    EndWithoutStart,   // an end frame outside a line: skipped
    LineFrameOutside,  // a running-line frame outside a line: shown as an animation frame
    OtherFrameInLine,  // a frame of another kind inside a line: taken into the strip as it is
    EmptyLine,         // a start frame followed at once by the end: the line shows nothing
};

// A note concerns the frames firstFrame..lastFrame as the user counts them, from 1 (0 for the
// empty set). Neighbouring frames with the same note share one.
struct Note {
    NoteKind kind;
    int firstFrame = 0;
    int lastFrame = 0;
    bool operator==(const Note&) const = default;
};

// The message shown to the user, UTF-8.
std::string NoteText(const Note& note);

// One pass of the frame set as the unit plays it; played again from the start when it ends.
struct Timeline {
    std::vector<Step> steps;
    std::vector<Note> notes;
    // startMs[i] is when step i begins within a pass; one entry more than steps, the last
    // being the length of the pass.
    std::vector<double> startMs;
    int frameCount = 0;  // frames in use in the set played

    bool Empty() const { return steps.empty(); }
    double TotalMs() const { return startMs.empty() ? 0.0 : startMs.back(); }
    // The step shown at time `ms` into a pass (0 <= ms < TotalMs); the last step past the end.
    std::size_t StepAt(double ms) const;
    // The first step that shows frame `frame` (0-based) or, for a frame of a line, the line's
    // first step; a frame that shows nothing gives the next step that does (else 0).
    std::size_t FirstStepOf(int frame) const;
};

// Where playback stands in words: "Кадр 3 из 12" or "Строка: шаг 40 из 139".
std::string PositionText(const Timeline& timeline, std::size_t step);

Timeline BuildTimeline(const FrameSet& set);

// Into a timeline already built, reusing its storage: the preview rebuilds on every edit.
void BuildTimeline(const FrameSet& set, Timeline& timeline);

}  // namespace kadr::playback
