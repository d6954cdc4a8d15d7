#include "cli/edit_command.h"

#include <cstdio>
#include <map>

#include "cli/file_commands.h"
#include "frameset/frame_set_files.h"

namespace kadr::cli {
namespace {

using Kind = EditOp::Kind;

const std::map<std::string, Kind, std::less<>>& PlainOps() {
    static const std::map<std::string, Kind, std::less<>> ops{
        {"clear", Kind::Clear},   {"add", Kind::Add},   {"insert", Kind::Insert},
        {"delete", Kind::Delete}, {"left", Kind::Left}, {"right", Kind::Right},
        {"up", Kind::Up},         {"down", Kind::Down}, {"anim", Kind::Anim},
        {"beg", Kind::Beg},       {"str", Kind::Str},   {"end", Kind::End},
        {"undo", Kind::Undo},     {"redo", Kind::Redo}, {"copy", Kind::Copy},
        {"paste", Kind::Paste},
    };
    return ops;
}

void RedrawAfter(const EditResult& result, Document& document) {
    if (result.redraw == Redraw::Rebuild || result.redraw == Redraw::RebuildToEnd) {
        document.LowerCurFrameTo(document.Set().LastFrame);
    }
}

}  // namespace

EditOp ParseEditOp(const std::string& word) {
    const auto& plain = PlainOps();
    if (auto it = plain.find(word); it != plain.end()) {
        return EditOp{it->second};
    }
    const auto split = SplitOnce(word, ':');
    if (!split) {
        throw UsageError("unknown operation '" + word + "'");
    }
    const auto [name, value] = *split;
    if (name == "select") {
        return EditOp{Kind::Select, ParseIntegerIn(value, 0, kMaxFrames - 1, "frame")};
    }
    if (name == "toggle") {
        const auto cell = SplitOnce(value, ':');
        if (!cell) {
            throw UsageError("toggle needs C:G, got '" + word + "'");
        }
        return EditOp{Kind::Toggle, ParseIntegerIn(cell->first, 0, kColumns - 1, "grid column"),
                      ParseIntegerIn(cell->second, 0, kRows - 2, "grid row")};
    }
    if (name == "speed-anim") {
        return EditOp{Kind::SpeedAnim, ParseInteger(value, "speed")};
    }
    if (name == "speed-row") {
        return EditOp{Kind::SpeedRow, ParseInteger(value, "speed")};
    }
    if (name == "orientation") {
        return EditOp{Kind::Orientation, ParseIntegerIn(value, 0, 1, "orientation")};
    }
    throw UsageError("unknown operation '" + word + "'");
}

void ApplyEditOp(const EditOp& op, Document& document, FrameClipboard& clipboard) {
    FrameSet& set = document.Set();
    EditResult result;
    switch (op.kind) {
        case Kind::Clear:
            result = document.Clear();
            break;
        case Kind::Add:
            result = document.Add();
            break;
        case Kind::Insert:
            result = document.Insert();
            break;
        case Kind::Delete:
            result = document.Delete();
            break;
        case Kind::Left:
            result = document.MoveToLeft();
            break;
        case Kind::Right:
            result = document.MoveToRight();
            break;
        case Kind::Up:
            result = document.MoveToUp();
            break;
        case Kind::Down:
            result = document.MoveToDown();
            break;
        case Kind::Anim:
            result = document.SetAnim();
            break;
        case Kind::Beg:
            result = document.SetBegStr();
            break;
        case Kind::Str:
            result = document.SetStr();
            break;
        case Kind::End:
            result = document.SetEndStr();
            break;
        case Kind::Undo:
            result = document.Undo();
            break;
        case Kind::Redo:
            result = document.Redo();
            break;
        case Kind::Copy:
            document.Copy(clipboard);
            break;
        case Kind::Paste:
            result = document.Paste(clipboard);
            break;
        case Kind::Select:
            // Only frames in use have a button to press.
            if (op.a <= set.LastFrame) {
                set.CurFrame = static_cast<std::int32_t>(op.a);
            }
            break;
        case Kind::Toggle:
            // The press lands on the current frame's grid, which then stays current.
            if (set.HasCurrentFrame()) {
                document.ToggleDot(set.CurFrame, static_cast<int>(op.a), static_cast<int>(op.b));
            }
            break;
        case Kind::SpeedAnim:
            set.SetSpeedAnim(op.a);
            break;
        case Kind::SpeedRow:
            set.SetSpeedRow(op.a);
            break;
        case Kind::Orientation:
            set.SetOrientation(static_cast<int>(op.a));
            break;
    }
    RedrawAfter(result, document);
}

int RunEdit(const Args& args) {
    if (args.size() < 2) {
        throw UsageError("edit needs IN and OUT");
    }
    std::vector<EditOp> ops;
    for (std::size_t i = 2; i < args.size(); ++i) {
        ops.push_back(ParseEditOp(args[i]));
    }
    Document document;
    OpenInputLikeEditor(document, args[0]);
    MemoryClipboard clipboard;
    for (const EditOp& op : ops) {
        ApplyEditOp(op, document, clipboard);
    }
    if (args[1] != "-") {
        NamingFile(args[1], [&] { WriteFrameSetFile(args[1], document.Set()); });
    }
    const FrameSet& set = document.Set();
    const UndoHistory& history = document.History();
    std::printf("{\"lastFrame\":%d,\"curFrame\":%d,\"undo\":%d,\"redo\":%d,\"modified\":%s}\n",
                set.LastFrame, set.CurFrame, history.Position(), history.Limit(),
                JsonBool(document.Modified()).c_str());
    return kExitOk;
}

}  // namespace kadr::cli
