#pragma once

#include <memory>
#include <string>
#include <vector>

#include "frameset/clipboard_payload.h"
#include "frameset/document_change.h"
#include "frameset/drawing/tools.h"
#include "frameset/frame_order.h"
#include "frameset/frame_selection.h"
#include "frameset/frame_set.h"
#include "frameset/read_report.h"
#include "frameset/undo_history.h"

namespace kadr {

enum class EditStatus {
    Done,
    NoCurrentFrame,  // nothing was changed and no undo step recorded
    Full,            // the set already holds 256 frames; refused without an undo step
    Unchanged,       // the edit had nothing to do (a locked frame, a frame at the end); no step
};

struct EditResult {
    EditStatus status = EditStatus::Done;
    Redraw redraw = Redraw::None;
    bool Applied() const { return status == EditStatus::Done; }
};

// How a press on a frame (its grid or its button) picks frames, as in a desktop list.
enum class Pick {
    Only,    // a click: this frame alone
    Run,     // Shift: the run from the anchor to this frame
    AddRun,  // Ctrl+Shift: that run besides what is selected
    Toggle,  // Ctrl: this frame joins, or leaves unless it is the only one
    Add,     // this frame joins; already selected, it only becomes current
};

// The frame set together with its undo history and its selection: every command of the editor,
// without any window. Each recorded edit takes its undo snapshot first. Every command that changes
// something tells the observers once, after the change, what it changed (DocumentChange); the
// views follow from that alone.
//
// The frame commands act on the selected frames; the current frame is always one of them, and
// with it alone selected every command does what it does on one frame. The selection is no part
// of the undo history: after Undo or Redo the current frame is selected alone.
class Document {
  public:
    using Subscription = DocumentObservers::Subscription;

    Document();

    // Watching a document changes nothing of it, so a view that only reads may watch too.
    [[nodiscard]] Subscription Subscribe(DocumentObserver& observer) const {
        return observers_.Add(observer);
    }

    FrameSet& Set() { return *set_; }
    const FrameSet& Set() const { return *set_; }
    const UndoHistory& History() const { return *history_; }
    // Unsaved changes exist exactly while there is something to undo.
    bool Modified() const { return history_->HasUnsavedChanges(); }

    // The selected frames, ascending; the current frame among them (none without one). CurFrame
    // is a field of the set that a view may lower: a selection that no longer holds it gives way
    // to the current frame alone.
    const FrameSelection& Selection() const;
    // A press on `frame` (0..LastFrame, else nothing) makes it current and picks it as `how` says.
    // Records nothing.
    void SelectFrame(int frame, Pick how);
    void SelectAll();
    void SelectCurrentOnly();

    // Clear, the shifts, the kinds and the transforms act on every selected frame, as one step.
    EditResult Clear();
    EditResult Add();
    EditResult Insert();
    EditResult Delete();
    EditResult MoveToLeft();
    EditResult MoveToRight();
    EditResult MoveToUp();
    EditResult MoveToDown();
    EditResult SetAnim();
    EditResult SetBegStr();
    EditResult SetStr();
    EditResult SetEndStr();
    // The transforms of the current frame's dots; recorded like the shifts. Start and end frames
    // are left alone without a step, as the drawing tools leave them.
    EditResult Invert();
    EditResult FlipHorizontal();
    EditResult FlipVertical();
    // The selected frames as a block past their neighbour (one frame: swapped with it), a
    // selection with gaps closed up first; the current frame follows (and the view with it).
    // Where nothing would move nothing is recorded.
    EditResult MoveFrameLeft();
    EditResult MoveFrameRight();
    // The selected frames moved (or copied) to stand before frame `before` (0..frame count, the
    // count meaning the end), as a drop in the strip does; they stay selected.
    EditResult DropSelected(int before, bool copy);
    // Copies of the selected frames after the last of them, selected afterwards.
    EditResult Duplicate();
    // The selected places take their frames in reverse order.
    EditResult Reverse();
    // After the selection its frames back again without the last and the first (1 2 3 4 -> 1 2 3
    // 4 3 2), those selected afterwards; fewer than three frames selected: Unchanged.
    EditResult PingPong();
    // Each selected frame `times` (2..50, else std::out_of_range) times in its place.
    static constexpr int kMinRepeat = 2;
    static constexpr int kMaxRepeat = 50;
    EditResult Repeat(int times);
    // A finished shape or fill on frame `frame`: one undo step. Frames not in use, start and
    // end frames (whose dots are locked) and a shape that changes no cell are left alone
    // without a step.
    EditResult DrawShape(int frame, Tool tool, DotCell from, DotCell to, bool clear);
    // Puts `frames` into the set before slot `at` (0..frame count) as one undo step and makes the
    // first of them current, for the view to show; refused as Full, without a step, when they
    // would pass 256 frames.
    EditResult InsertFrames(int at, const std::vector<Frame>& frames);
    // As InsertFrames, after the current frame (at the end when there is none): where a
    // generated running line or an import goes.
    EditResult InsertFramesAfterCurrent(const std::vector<Frame>& frames);
    EditResult Undo();
    EditResult Redo();

    // Copy records nothing and changes nothing; false when there is no current frame. The first
    // selected frame goes under the one-frame format, all of them under the other.
    bool Copy(FrameClipboard& clipboard) const;
    // Copy, then Delete: one step.
    EditResult Cut(FrameClipboard& clipboard);
    // Several frames on the clipboard go in after the current frame as one step and become the
    // selection (Full, nothing recorded, past 256 frames; an unreadable block throws Error before
    // anything is recorded). Otherwise the one frame replaces every selected frame: that step is
    // recorded before the clipboard is read, so a failed read (which throws) can still be undone.
    EditResult Paste(FrameClipboard& clipboard);

    // A dot edit in a frame grid (grid rows 0..14 skip frame row 8). Mark row 0 and the dots of
    // running-line start and end frames do not change. Records no undo step.
    bool ToggleDot(int frame, int gridColumn, int gridRow);

    // A fresh untitled document of `frameCount` blank frames (0..256, else std::out_of_range).
    // CurFrame is left for the view to lower.
    void New(int frameCount);
    // Reads a file in the format its extension selects and forgets the undo history. On an
    // error (FileError) nothing changes. After a module file set read that stopped at a missing
    // file the document has no file name: only Save As may write it.
    ReadReport Load(const std::string& path);
    // Takes over a recovered document whole (frames, settings, current frame, file name) with
    // nothing to undo; the caller keeps it marked as differing from its file.
    void TakeOver(const FrameSet& set);
    // Writes in the format the extension selects; on success it becomes the document's file
    // and the history is forgotten. On an error nothing else changes.
    void Save(const std::string& path);

    // The strip can only keep a frame current that it shows.
    void LowerCurFrameTo(int lastShownFrame);
    // Makes `frame` current (-1 for none), selected alone; records nothing.
    void SetCurrentFrame(int frame);
    // The speeds and orientation the boxes hold (each brought into its range); records nothing.
    void SetPlaybackSettings(int speedAnim, int speedRow, int orientation);

  private:
    // What the observers compare a command's outcome with.
    struct Glance {
        int lastFrame;
        int curFrame;
        int undoPosition;
        int undoLimit;
        int speedAnim;
        int speedRow;
        int orientation;
        std::string fileName;
        FrameSelection selection;
    };
    Glance Look() const;
    // Tells the observers what changed since `before`: the aspects `told` (the frames' dots and
    // kinds, which no glance sees) and those the glance shows, less those `untold`.
    void Publish(const Glance& before, unsigned told, Redraw redraw, unsigned untold = 0) const;
    EditResult Published(const Glance& before, EditResult result) const;

    template <typename Change>
    EditResult EditSelected(Change change);
    template <typename Change>
    EditResult TransformSelected(Change change);
    EditResult Restored(const Glance& before, bool changed);
    // Rearranges the frames as `order` says, as one step, and selects what it selects. Frames
    // past 256 are refused as Full; an order that leaves every frame in place as Unchanged.
    EditResult Reordered(const FrameOrder& order, Redraw redraw);
    // With `selectThem` the frames put in are selected afterwards, else the first alone.
    EditResult InsertFrames(int at, const std::vector<Frame>& frames, bool selectThem);
    template <typename Plan>
    EditResult ReorderSelected(Plan plan, Redraw redraw);
    void SelectPlaces(const std::vector<int>& places, int current);
    void SelectCurrentAlone() const;

    std::unique_ptr<FrameSet> set_;
    std::unique_ptr<UndoHistory> history_;
    // Made to fit CurFrame when read (Selection()), so it is mutable.
    mutable FrameSelection selection_;
    mutable DocumentObservers observers_;
};

}  // namespace kadr
