#include "frameset/playback/timeline.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

#include "frameset/frame_kinds.h"

namespace kadr::playback {
namespace {

// Leading and trailing dark columns let every step of a line be one window of 28 columns.
constexpr int kLead = kDisplayColumns - 1;

class Builder {
  public:
    Builder(const FrameSet& set, Timeline& timeline)
        : set_(set),
          t_(timeline),
          animMs_(1000.0 / ClampSpeed(set.SpeedAnim)),
          rowMs_(1000.0 / ClampSpeed(set.SpeedRow)) {}

    void Run() {
        t_.steps.clear();
        t_.notes.clear();
        t_.startMs.clear();
        t_.frameCount = set_.FrameCount();
        const int n = set_.FrameCount();
        if (n <= 0) {
            t_.notes.push_back(Note{NoteKind::EmptySet, 0, 0});
        }
        int f = 0;
        while (f < n) {
            const std::optional<FrameKind> kind = KindOf(f);
            if (kind == fkBegStr) {
                f = Line(f);
            } else if (kind == fkEndStr) {
                AddNote(NoteKind::EndWithoutStart, f);
                ++f;
            } else {
                // A frame whose marks match no kind is played like the editor treats it: as a
                // picture of its own.
                if (kind == fkStr) {
                    AddNote(NoteKind::LineFrameOutside, f);
                }
                Still(f);
                ++f;
            }
        }
        t_.startMs.reserve(t_.steps.size() + 1);
        double at = 0;
        for (const Step& step : t_.steps) {
            t_.startMs.push_back(at);
            at += step.durationMs;
        }
        t_.startMs.push_back(at);
    }

  private:
    std::optional<FrameKind> KindOf(int f) const {
        return GetFrameKind(set_.Frames[static_cast<std::size_t>(f)]);
    }

    void AddNote(NoteKind kind, int frame) {
        const int number = frame + 1;
        if (!t_.notes.empty() && t_.notes.back().kind == kind &&
            t_.notes.back().lastFrame == number - 1) {
            t_.notes.back().lastFrame = number;
            return;
        }
        t_.notes.push_back(Note{kind, number, number});
    }

    void Still(int f) {
        Step& step = t_.steps.emplace_back();
        step.picture = PictureOf(set_.Frames[static_cast<std::size_t>(f)]);
        step.durationMs = animMs_;
        step.frame = f;
    }

    // Plays the line whose start frame is `start`; returns the frame after its end frame.
    int Line(int start) {
        const int n = set_.FrameCount();
        int end = start + 1;
        while (end < n && KindOf(end) != fkEndStr) {
            ++end;
        }
        const bool closed = end < n;
        const int k = end - start - 1;
        if (!closed) {
            AddNote(NoteKind::UnclosedLine, start);
        }
        if (k == 0) {
            t_.notes.push_back(Note{NoteKind::EmptyLine, start + 1, closed ? end + 1 : start + 1});
            return closed ? end + 1 : n;
        }
        strip_.assign(static_cast<std::size_t>(kLead + k * kDisplayColumns + kLead), 0);
        for (int i = 0; i < k; ++i) {
            const int f = start + 1 + i;
            if (KindOf(f) != fkStr) {
                AddNote(NoteKind::OtherFrameInLine, f);
            }
            const Picture picture = PictureOf(set_.Frames[static_cast<std::size_t>(f)]);
            std::memcpy(&strip_[static_cast<std::size_t>(kLead + i * kDisplayColumns)],
                        picture.columns.data(), sizeof picture.columns);
        }
        const int count = k * kDisplayColumns + kLead;
        for (int s = 0; s < count; ++s) {
            Step& step = t_.steps.emplace_back();
            std::memcpy(step.picture.columns.data(), &strip_[static_cast<std::size_t>(s)],
                        sizeof step.picture.columns);
            step.durationMs = rowMs_;
            step.frame = start;
            step.lineStep = true;
            step.lineIndex = s;
            step.lineSteps = count;
            step.lineFrames = k;
        }
        return closed ? end + 1 : n;
    }

    const FrameSet& set_;
    Timeline& t_;
    const double animMs_;
    const double rowMs_;
    std::vector<std::uint16_t> strip_;
};

}  // namespace

void Picture::SetLit(int column, int row, bool lit) {
    auto& mask = columns[static_cast<std::size_t>(column)];
    const auto bit = static_cast<std::uint16_t>(1U << row);
    mask = static_cast<std::uint16_t>(lit ? (mask | bit) : (mask & ~bit));
}

int Picture::LitCount() const {
    int count = 0;
    for (const std::uint16_t mask : columns) {
        count += std::popcount(mask);
    }
    return count;
}

Picture PictureOf(const Frame& frame) {
    Picture picture;
    for (int c = 0; c < kDisplayColumns; ++c) {
        std::uint16_t mask = 0;
        for (int r = 0; r < kDotRows; ++r) {
            if (frame[static_cast<std::size_t>(DotCellIndex({c, r}))] == kDotSet) {
                mask = static_cast<std::uint16_t>(mask | (1U << r));
            }
        }
        picture.columns[static_cast<std::size_t>(c)] = mask;
    }
    return picture;
}

Frame AnimationFrameOf(const Picture& picture) {
    Frame frame;
    FillBlank(frame);  // every mark 1: an animation frame
    for (int c = 0; c < kDisplayColumns; ++c) {
        for (int r = 0; r < kDotRows; ++r) {
            if (picture.Lit(c, r)) {
                frame[static_cast<std::size_t>(DotCellIndex({c, r}))] = kDotSet;
            }
        }
    }
    return frame;
}

std::string NoteText(const Note& note) {
    std::string frames;
    if (note.firstFrame == note.lastFrame) {
        frames = "Кадр " + std::to_string(note.firstFrame);
    } else {
        frames = "Кадры " + std::to_string(note.firstFrame) + "–" + std::to_string(note.lastFrame);
    }
    switch (note.kind) {
        case NoteKind::EmptySet:
            return "Нет кадров: показывать нечего";
        case NoteKind::UnclosedLine:
            return frames + ": начало бегущей строки без конца; строка идёт до конца набора";
        case NoteKind::EndWithoutStart:
            return frames + ": конец бегущей строки без начала; пропущен";
        case NoteKind::LineFrameOutside:
            return frames + ": кадр бегущей строки вне строки; показан как кадр анимации";
        case NoteKind::OtherFrameInLine:
            return frames + ": кадр другого вида внутри бегущей строки; взят в строку как есть";
        case NoteKind::EmptyLine:
            return frames + ": бегущая строка без кадров; ничего не показано";
    }
    return frames;
}

std::string PositionText(const Timeline& timeline, std::size_t step) {
    if (step >= timeline.steps.size()) {
        return "Нет кадров для показа";
    }
    const Step& s = timeline.steps[step];
    if (s.lineStep) {
        return "Строка: шаг " + std::to_string(s.lineIndex + 1) + " из " +
               std::to_string(s.lineSteps);
    }
    return "Кадр " + std::to_string(s.frame + 1) + " из " + std::to_string(timeline.frameCount);
}

std::size_t Timeline::StepAt(double ms) const {
    if (steps.empty()) {
        return 0;
    }
    // startMs[0] is 0, so the step is the last start at or before `ms`.
    const auto after = std::upper_bound(startMs.begin(), startMs.end() - 1, ms);
    const auto index = static_cast<std::size_t>(
        std::max<std::ptrdiff_t>(0, std::distance(startMs.begin(), after) - 1));
    return std::min(index, steps.size() - 1);
}

std::size_t Timeline::FirstStepOf(int frame) const {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        const int last = s.lineStep ? s.frame + s.lineFrames + 1 : s.frame;
        if (frame <= last) {
            return i;
        }
        if (s.lineStep) {
            i += static_cast<std::size_t>(s.lineSteps - s.lineIndex - 1);
        }
    }
    return 0;
}

Timeline BuildTimeline(const FrameSet& set) {
    Timeline timeline;
    BuildTimeline(set, timeline);
    return timeline;
}

void BuildTimeline(const FrameSet& set, Timeline& timeline) {
    Builder(set, timeline).Run();
}

}  // namespace kadr::playback
