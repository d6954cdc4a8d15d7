#include "frameset/document.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "frameset/drawing/transforms.h"
#include "frameset/frame_kinds.h"
#include "frameset/frame_set_files.h"
#include "frameset/frame_shifts.h"

namespace kadr {

Document::Document()
    : set_(std::make_unique<FrameSet>()), history_(std::make_unique<UndoHistory>()) {}

Document::Glance Document::Look() const {
    const FrameSet& set = *set_;
    return {set.LastFrame,       set.CurFrame,  history_->Position(),
            history_->Limit(),   set.SpeedAnim, set.SpeedRow,
            set.OrientationFlag, set.FileName,  Selection()};
}

void Document::Publish(const Glance& before, unsigned told, Redraw redraw, unsigned untold) const {
    const Glance after = Look();
    DocumentChange change;
    change.aspects = told;
    change.redraw = redraw;
    const auto mark = [&change](bool changed, unsigned part) {
        if (changed) {
            change.aspects |= part;
        }
    };
    mark(after.lastFrame != before.lastFrame, aspect::kFrameCount);
    mark(after.curFrame != before.curFrame, aspect::kCurrentFrame);
    mark(after.speedAnim != before.speedAnim || after.speedRow != before.speedRow ||
             after.orientation != before.orientation,
         aspect::kPlayback);
    const bool historyMoved =
        after.undoPosition != before.undoPosition || after.undoLimit != before.undoLimit;
    mark(historyMoved, aspect::kHistory);
    mark(historyMoved || after.fileName != before.fileName, aspect::kFile);
    mark(after.selection != before.selection, aspect::kSelection);
    change.aspects &= ~untold;
    observers_.Notify(change);
}

EditResult Document::Published(const Glance& before, EditResult result) const {
    const bool frames = result.Applied() && result.redraw != Redraw::None;
    Publish(before, frames ? aspect::kFrames : 0U, result.redraw);
    return result;
}

template <typename Change>
EditResult Document::EditSelected(Change change) {
    FrameSet& set = *set_;
    if (!set.HasCurrentFrame()) {
        return {EditStatus::NoCurrentFrame, Redraw::None};
    }
    const Glance before = Look();
    history_->RecordUndo(set);
    Selection().ForEach(
        [&set, &change](int frame) { change(set.Frames[static_cast<std::size_t>(frame)]); });
    return Published(before, {EditStatus::Done, Redraw::Repaint});
}

EditResult Document::Clear() {
    return EditSelected([](Frame& frame) { FillBlank(frame); });
}

EditResult Document::MoveToLeft() {
    return EditSelected([](Frame& frame) { kadr::MoveToLeft(frame); });
}
EditResult Document::MoveToRight() {
    return EditSelected([](Frame& frame) { kadr::MoveToRight(frame); });
}
EditResult Document::MoveToUp() {
    return EditSelected([](Frame& frame) { kadr::MoveToUp(frame); });
}
EditResult Document::MoveToDown() {
    return EditSelected([](Frame& frame) { kadr::MoveToDown(frame); });
}

EditResult Document::SetAnim() {
    return EditSelected([](Frame& frame) { kadr::SetAnim(frame); });
}
EditResult Document::SetBegStr() {
    return EditSelected([](Frame& frame) { kadr::SetBegStr(frame); });
}
EditResult Document::SetStr() {
    return EditSelected([](Frame& frame) { kadr::SetStr(frame); });
}
EditResult Document::SetEndStr() {
    return EditSelected([](Frame& frame) { kadr::SetEndStr(frame); });
}

template <typename Change>
EditResult Document::TransformSelected(Change change) {
    const FrameSet& set = *set_;
    // Start and end frames keep their dots, as under the drawing tools: no other command could
    // set the dots a transform would give them. A selection of nothing else records nothing.
    bool any = !set.HasCurrentFrame();
    Selection().ForEach([&set, &any](int frame) {
        any = any || TakesDrawing(set.Frames[static_cast<std::size_t>(frame)]);
    });
    if (!any) {
        return {EditStatus::Unchanged, Redraw::None};
    }
    return EditSelected([&change](Frame& frame) {
        if (TakesDrawing(frame)) {
            change(frame);
        }
    });
}

EditResult Document::Invert() {
    return TransformSelected([](Frame& frame) { InvertDots(frame); });
}
EditResult Document::FlipHorizontal() {
    return TransformSelected([](Frame& frame) { kadr::FlipHorizontal(frame); });
}
EditResult Document::FlipVertical() {
    return TransformSelected([](Frame& frame) { kadr::FlipVertical(frame); });
}

EditResult Document::DrawShape(int frame, Tool tool, DotCell from, DotCell to, bool clear) {
    FrameSet& set = *set_;
    if (frame < 0 || frame > set.LastFrame) {
        return {EditStatus::NoCurrentFrame, Redraw::None};
    }
    Frame& target = set.Frames[static_cast<std::size_t>(frame)];
    // Drawn on a copy first: a shape over dots that already are as it would make them (or a
    // fill pressed on the mark row) changes nothing and so records nothing.
    Frame drawn = target;
    if (!kadr::DrawShape(drawn, tool, from, to, clear) || drawn == target) {
        return {EditStatus::Unchanged, Redraw::None};
    }
    const Glance before = Look();
    history_->RecordUndo(set);
    target = drawn;
    return Published(before, {EditStatus::Done, Redraw::Repaint});
}

EditResult Document::InsertFrames(int at, const std::vector<Frame>& frames) {
    return InsertFrames(at, frames, false);
}

EditResult Document::InsertFrames(int at, const std::vector<Frame>& frames, bool selectThem) {
    FrameSet& set = *set_;
    const int count = static_cast<int>(frames.size());
    if (at < 0 || at > set.FrameCount()) {
        throw std::out_of_range("insert position outside the frame set");
    }
    if (count > kMaxFrames - set.FrameCount()) {
        return {EditStatus::Full, Redraw::None};
    }
    if (count == 0) {
        return {EditStatus::Unchanged, Redraw::None};
    }
    const Glance before = Look();
    history_->RecordUndo(set);
    auto first = set.Frames.begin() + at;
    std::copy_backward(first, set.Frames.begin() + set.FrameCount(),
                       set.Frames.begin() + set.FrameCount() + count);
    std::copy(frames.begin(), frames.end(), first);
    set.LastFrame += count;
    set.CurFrame = at;
    selection_ = FrameSelection::Only(at);
    if (selectThem) {
        selection_.RunTo(at + count - 1, false);
    }
    return Published(before, {EditStatus::Done, Redraw::RebuildShowingCurrent});
}

EditResult Document::Add() {
    FrameSet& set = *set_;
    if (set.FrameCount() >= kMaxFrames) {
        return {EditStatus::Full, Redraw::None};
    }
    const Glance before = Look();
    history_->RecordUndo(set);
    ++set.LastFrame;
    Frame& added = set.Frames[static_cast<std::size_t>(set.LastFrame)];
    if (set.CurFrame >= 0) {
        added = set.Frames[static_cast<std::size_t>(set.CurFrame)];
    } else {
        FillBlank(added);
    }
    set.CurFrame = set.LastFrame;
    selection_ = FrameSelection::Only(set.CurFrame);
    return Published(before, {EditStatus::Done, Redraw::RebuildToEnd});
}

EditResult Document::Insert() {
    FrameSet& set = *set_;
    if (set.LastFrame < 0) {
        return Add();
    }
    if (!set.HasCurrentFrame()) {
        return {EditStatus::NoCurrentFrame, Redraw::None};
    }
    if (set.FrameCount() >= kMaxFrames) {
        return {EditStatus::Full, Redraw::None};
    }
    const Glance before = Look();
    history_->RecordUndo(set);
    ++set.LastFrame;
    auto first = set.Frames.begin() + set.CurFrame;
    std::copy_backward(first, set.Frames.begin() + set.LastFrame,
                       set.Frames.begin() + set.LastFrame + 1);
    FillBlank(*first);
    selection_ = FrameSelection::Only(set.CurFrame);
    return Published(before, {EditStatus::Done, Redraw::Rebuild});
}

EditResult Document::Delete() {
    FrameSet& set = *set_;
    const Glance before = Look();
    if (set.LastFrame < 0) {
        // Deleting from an empty set still counts as an edit the user can undo.
        history_->RecordUndo(set);
        return Published(before, {EditStatus::Done, Redraw::None});
    }
    if (!set.HasCurrentFrame()) {
        return {EditStatus::NoCurrentFrame, Redraw::None};
    }
    return Reordered(WithoutSelected(set.FrameCount(), Selection().Frames()), Redraw::Rebuild);
}

EditResult Document::InsertFramesAfterCurrent(const std::vector<Frame>& frames) {
    const FrameSet& set = *set_;
    return InsertFrames(set.HasCurrentFrame() ? set.CurFrame + 1 : set.FrameCount(), frames);
}

EditResult Document::Restored(const Glance& before, bool changed) {
    return Published(before, changed ? EditResult{EditStatus::Done, Redraw::Rebuild}
                                     : EditResult{EditStatus::Done, Redraw::None});
}

EditResult Document::Undo() {
    const Glance before = Look();
    const bool changed = history_->Undo(*set_);
    SelectCurrentAlone();
    return Restored(before, changed);
}

EditResult Document::Redo() {
    const Glance before = Look();
    const bool changed = history_->Redo(*set_);
    SelectCurrentAlone();
    return Restored(before, changed);
}

bool Document::ToggleDot(int frame, int gridColumn, int gridRow) {
    FrameSet& set = *set_;
    if (frame < 0 || frame > set.LastFrame || gridColumn < 0 || gridColumn >= kColumns ||
        gridRow <= 0 || gridRow >= kRows - 1) {
        return false;
    }
    Frame& target = set.Frames[static_cast<std::size_t>(frame)];
    if (IsRunningLineBoundary(target)) {
        return false;
    }
    const Glance before = Look();
    const int row = gridRow < kLowerMarkRow ? gridRow : gridRow + 1;
    std::uint8_t& cell = target[CellIndex(gridColumn, row)];
    cell = cell == kDotSet ? kDotBlank : kDotSet;
    // The grid repaints the toggled cell itself.
    Publish(before, aspect::kFrames, Redraw::None);
    return true;
}

void Document::New(int frameCount) {
    if (frameCount < 0 || frameCount > kMaxFrames) {
        throw std::out_of_range("frame count outside 0..256");
    }
    const Glance before = Look();
    FrameSet& set = *set_;
    set.LastFrame = frameCount - 1;
    set.FillAllBlank();
    set.FileName.clear();
    set.SetSpeedAnim(kMinSpeed);
    set.SetSpeedRow(kMinSpeed);
    set.SetOrientation(0);
    history_->ClearUndo();
    SelectCurrentAlone();
    Publish(before, aspect::kFrames | aspect::kFile, Redraw::Rebuild);
}

ReadReport Document::Load(const std::string& path) {
    // Read into a copy so that a read that fails half-way leaves the document as it was; a module
    // file set read that merely stops at a missing file is no failure and keeps what it read.
    auto scratch = std::make_unique<FrameSet>(*set_);
    const ReadReport report = ReadFrameSetFile(path, *scratch);
    const Glance before = Look();
    *set_ = *scratch;
    // A module file set that stopped at a missing file left a mixture of that set and what was
    // there before: saving it back over the set (or over the previous file) without the save
    // dialog would spread the mixture into a file that did not hold it.
    set_->FileName = report.complete ? path : std::string();
    history_->ClearUndo();
    SelectCurrentAlone();
    // A set read up to a missing file is not that file: its name is not told. The name the
    // document had before is gone all the same, and that is told (by the glance), so that no
    // caption goes on naming a file that does not hold the document.
    Publish(before, aspect::kFrames | (report.complete ? aspect::kFile : 0U), Redraw::Rebuild);
    return report;
}

void Document::TakeOver(const FrameSet& set) {
    const Glance before = Look();
    *set_ = set;
    history_->ClearUndo();
    SelectCurrentAlone();
    Publish(before, aspect::kFrames | aspect::kFile, Redraw::Rebuild);
}

void Document::Save(const std::string& path) {
    WriteFrameSetFile(path, *set_);
    const Glance before = Look();
    set_->FileName = path;
    history_->ClearUndo();
    // Saving under the same name still tells: the document is now known by it.
    Publish(before, aspect::kFile, Redraw::None);
}

void Document::LowerCurFrameTo(int lastShownFrame) {
    if (set_->CurFrame > lastShownFrame) {
        const Glance before = Look();
        set_->CurFrame = lastShownFrame;
        Publish(before, 0U, Redraw::None);
    }
}

void Document::SetCurrentFrame(int frame) {
    const Glance before = Look();
    set_->CurFrame = frame;
    SelectCurrentAlone();
    Publish(before, 0U, Redraw::None);
}

void Document::SetPlaybackSettings(int speedAnim, int speedRow, int orientation) {
    const Glance before = Look();
    set_->SetSpeedAnim(speedAnim);
    set_->SetSpeedRow(speedRow);
    set_->SetOrientation(orientation);
    Publish(before, 0U, Redraw::None);
}

}  // namespace kadr
