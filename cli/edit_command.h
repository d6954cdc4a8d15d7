#pragma once

#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "frameset/clipboard_payload.h"
#include "frameset/document.h"

namespace kadr::cli {

// One editor command as `kadr edit` names it.
struct EditOp {
    enum class Kind {
        Clear,
        Add,
        Insert,
        Delete,
        Left,
        Right,
        Up,
        Down,
        Anim,
        Beg,
        Str,
        End,
        Undo,
        Redo,
        Copy,
        Paste,
        Select,
        Toggle,
        SpeedAnim,
        SpeedRow,
        Orientation,
        Invert,
        FlipH,
        FlipV,
        MoveFrameLeft,
        MoveFrameRight,
        Shape,      // a finished shape or fill on the current frame: `tool`, (a, b) to (c, d)
        SelectRun,  // a click on frame a, then a Shift+click on frame b
        SelectAdd,
        SelectAll,
        Cut,
        Duplicate,
        Reverse,
        PingPong,
        Repeat,
    };
    Kind kind;
    long long a = 0;
    long long b = 0;
    long long c = 0;
    long long d = 0;
    Tool tool = Tool::Dot;
    bool clear = false;
};

// Throws UsageError for an unknown operation or a bad number.
EditOp ParseEditOp(const std::string& word);

// Runs one operation as the editor's command of that name does, followed by the clamp of
// CurFrame that the editor's strip applies after a rebuild when it shows every frame. A frame
// number outside the set is a UsageError; a command the editor would refuse for passing 256
// frames is an Error.
void ApplyEditOp(const EditOp& op, Document& document, FrameClipboard& clipboard);

int RunEdit(const Args& args);

}  // namespace kadr::cli
