#pragma once

#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "cli/command_help.h"
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

inline constexpr CommandHelp kEditHelp{
    "edit", "edit IN OUT [OP...]",
    "apply editor commands to IN and write OUT ('-' as IN: the\n"
    "start-up document of one blank frame; as OUT: write nothing)",
    "edit operations, applied in order exactly as the editor's commands:\n"
    "  clear add insert delete left right up down anim beg str end undo redo copy paste\n"
    "  select:N                 press the button of frame N (from 0)\n"
    "  toggle:C:G               left press on column C (0..27), grid row G (0..14)\n"
    "  speed-anim:N speed-row:N playback speeds (kept within 1..50)\n"
    "  orientation:0|1          0 normal, 1 turned over\n"
    "  invert flip-h flip-v     every dot of the current frame flipped / mirrored\n"
    "  move-left move-right     swap the current frame with its neighbour\n"
    "  line:C0:G0:C1:G1 rect:C0:G0:C1:G1 box:C0:G0:C1:G1 fill:C:G\n"
    "                           draw on the current frame (G: grid rows 1..14; box is a\n"
    "                           filled rectangle); line-clear:... etc. clear the cells\n"
    "  select:A-B               press frame A's button, then frame B's with Shift: the run\n"
    "  select-add:N             frame N joins the selection and becomes current\n"
    "  select-all               every frame (all frame numbers count from 0, as select:N;\n"
    "                           one outside the set is bad usage)\n"
    "  cut duplicate reverse pingpong repeat:N (N: 2..50)\n"
    "                           the editor's commands on the selected frames; clear,\n"
    "                           delete, the shifts and kinds, invert, flip-h, flip-v, copy,\n"
    "                           paste and move-left/right act on every selected frame too",
    "# a start frame, a running-line frame with one dot, an end frame\n"
    "kadr edit - line.kdz add beg add str toggle:0:1 add end"};

int RunEdit(const Args& args);

}  // namespace kadr::cli
