#include "cli/edit_command.h"

#include <cstdio>
#include <map>
#include <optional>
#include <string_view>

#include "cli/file_commands.h"
#include "frameset/errors.h"
#include "frameset/frame_set_files.h"

namespace kadr::cli {
namespace {

using Kind = EditOp::Kind;

const std::map<std::string, Kind, std::less<>>& PlainOps() {
    static const std::map<std::string, Kind, std::less<>> ops{
        {"clear", Kind::Clear},
        {"add", Kind::Add},
        {"insert", Kind::Insert},
        {"delete", Kind::Delete},
        {"left", Kind::Left},
        {"right", Kind::Right},
        {"up", Kind::Up},
        {"down", Kind::Down},
        {"anim", Kind::Anim},
        {"beg", Kind::Beg},
        {"str", Kind::Str},
        {"end", Kind::End},
        {"undo", Kind::Undo},
        {"redo", Kind::Redo},
        {"copy", Kind::Copy},
        {"paste", Kind::Paste},
        {"invert", Kind::Invert},
        {"flip-h", Kind::FlipH},
        {"flip-v", Kind::FlipV},
        {"move-left", Kind::MoveFrameLeft},
        {"move-right", Kind::MoveFrameRight},
        {"select-all", Kind::SelectAll},
        {"cut", Kind::Cut},
        {"duplicate", Kind::Duplicate},
        {"reverse", Kind::Reverse},
        {"pingpong", Kind::PingPong},
    };
    return ops;
}

// The shape words: the tool and how many cells (C:G pairs) follow the name.
const std::map<std::string, std::pair<Tool, int>, std::less<>>& ShapeOps() {
    static const std::map<std::string, std::pair<Tool, int>, std::less<>> ops{
        {"line", {Tool::Line, 2}},
        {"rect", {Tool::Rectangle, 2}},
        {"box", {Tool::Box, 2}},
        {"fill", {Tool::Fill, 1}},
    };
    return ops;
}

// "line:C0:G0:C1:G1", "fill:C:G" and their "-clear" variants; grid rows G are 1..14, the dot
// rows of a frame grid.
std::optional<EditOp> ParseShapeOp(const std::string& word) {
    std::vector<std::string_view> parts;
    std::string_view rest = word;
    for (auto split = SplitOnce(rest, ':'); split; split = SplitOnce(rest, ':')) {
        parts.push_back(split->first);
        rest = split->second;
    }
    parts.push_back(rest);
    std::string_view name = parts.front();
    constexpr std::string_view kClear = "-clear";
    const bool clear = name.size() > kClear.size() && name.ends_with(kClear);
    if (clear) {
        name.remove_suffix(kClear.size());
    }
    const auto& shapes = ShapeOps();
    const auto it = shapes.find(name);
    if (it == shapes.end()) {
        return std::nullopt;
    }
    const auto [tool, cells] = it->second;
    if (parts.size() != static_cast<std::size_t>(1 + 2 * cells)) {
        throw UsageError(std::string(name) + (cells == 2 ? " needs C0:G0:C1:G1" : " needs C:G") +
                         ", got '" + word + "'");
    }
    EditOp op{Kind::Shape};
    op.tool = tool;
    op.clear = clear;
    long long* values[4] = {&op.a, &op.b, &op.c, &op.d};
    for (int i = 0; i < 2 * cells; ++i) {
        *values[i] = i % 2 == 0 ? ParseIntegerIn(parts[1 + i], 0, kColumns - 1, "grid column")
                                : ParseIntegerIn(parts[1 + i], 1, kDotRows, "grid row");
    }
    if (cells == 1) {
        op.c = op.a;
        op.d = op.b;
    }
    return op;
}

void RedrawAfter(const EditResult& result, Document& document, Kind kind) {
    // The commands that put in several frames at once are refused as the editor refuses them;
    // add and insert pass over a full set quietly, as they always have.
    const bool refuses = kind == Kind::Paste || kind == Kind::Duplicate || kind == Kind::PingPong ||
                         kind == Kind::Repeat;
    if (refuses && result.status == EditStatus::Full) {
        throw Error("refused: the set would pass " + std::to_string(kMaxFrames) + " frames");
    }
    if (Rebuilds(result.redraw)) {
        document.LowerCurFrameTo(document.Set().LastFrame);
    }
}

// Only frames in use have a button to press.
int FrameInSet(long long frame, const FrameSet& set) {
    if (frame > set.LastFrame) {
        throw UsageError("frame " + std::to_string(frame) + " is not in the set of " +
                         std::to_string(set.FrameCount()) + " frames (0.." +
                         std::to_string(set.LastFrame) + ")");
    }
    return static_cast<int>(frame);
}

// "A-B": two frame numbers.
std::pair<long long, long long> ParseRun(std::string_view value) {
    const auto run = SplitOnce(value, '-');
    if (!run) {
        throw UsageError("select needs N or A-B, got '" + std::string(value) + "'");
    }
    return {ParseIntegerIn(run->first, 0, kMaxFrames - 1, "frame"),
            ParseIntegerIn(run->second, 0, kMaxFrames - 1, "frame")};
}

}  // namespace

EditOp ParseEditOp(const std::string& word) {
    const auto& plain = PlainOps();
    if (auto it = plain.find(word); it != plain.end()) {
        return EditOp{it->second};
    }
    if (auto shape = ParseShapeOp(word)) {
        return *shape;
    }
    const auto split = SplitOnce(word, ':');
    if (!split) {
        throw UsageError("unknown operation '" + word + "'");
    }
    const auto [name, value] = *split;
    if (name == "select") {
        if (value.find('-') != std::string_view::npos) {
            const auto [from, to] = ParseRun(value);
            return EditOp{Kind::SelectRun, from, to};
        }
        return EditOp{Kind::Select, ParseIntegerIn(value, 0, kMaxFrames - 1, "frame")};
    }
    if (name == "select-add") {
        return EditOp{Kind::SelectAdd, ParseIntegerIn(value, 0, kMaxFrames - 1, "frame")};
    }
    if (name == "repeat") {
        return EditOp{Kind::Repeat,
                      ParseIntegerIn(value, Document::kMinRepeat, Document::kMaxRepeat, "repeat")};
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
            document.SelectFrame(FrameInSet(op.a, set), Pick::Only);
            break;
        case Kind::SelectRun:
            FrameInSet(op.b, set);
            document.SelectFrame(FrameInSet(op.a, set), Pick::Only);
            document.SelectFrame(static_cast<int>(op.b), Pick::Run);
            break;
        case Kind::SelectAdd:
            document.SelectFrame(FrameInSet(op.a, set), Pick::Add);
            break;
        case Kind::SelectAll:
            document.SelectAll();
            break;
        case Kind::Cut:
            result = document.Cut(clipboard);
            break;
        case Kind::Duplicate:
            result = document.Duplicate();
            break;
        case Kind::Reverse:
            result = document.Reverse();
            break;
        case Kind::PingPong:
            result = document.PingPong();
            break;
        case Kind::Repeat:
            result = document.Repeat(static_cast<int>(op.a));
            break;
        case Kind::Toggle:
            // The press lands on the current frame's grid, which then stays current, selected
            // alone as after any left press on a grid.
            if (set.HasCurrentFrame()) {
                document.ToggleDot(set.CurFrame, static_cast<int>(op.a), static_cast<int>(op.b));
                document.SelectFrame(set.CurFrame, Pick::Only);
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
        case Kind::Invert:
            result = document.Invert();
            break;
        case Kind::FlipH:
            result = document.FlipHorizontal();
            break;
        case Kind::FlipV:
            result = document.FlipVertical();
            break;
        case Kind::MoveFrameLeft:
            result = document.MoveFrameLeft();
            break;
        case Kind::MoveFrameRight:
            result = document.MoveFrameRight();
            break;
        case Kind::Shape:
            // Drawn in the current frame's grid, as the mouse does.
            if (set.HasCurrentFrame()) {
                document.SelectFrame(set.CurFrame, Pick::Only);
                const auto cell = [](long long column, long long gridRow) {
                    return DotCell{static_cast<int>(column), static_cast<int>(gridRow) - 1};
                };
                result = document.DrawShape(set.CurFrame, op.tool, cell(op.a, op.b),
                                            cell(op.c, op.d), op.clear);
            }
            break;
    }
    RedrawAfter(result, document, op.kind);
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
    std::string selected;
    document.Selection().ForEach([&selected](int frame) {
        if (!selected.empty()) {
            selected += ',';
        }
        selected += std::to_string(frame);
    });
    std::printf(
        "{\"lastFrame\":%d,\"curFrame\":%d,\"undo\":%d,\"redo\":%d,\"modified\":%s,"
        "\"selected\":[%s]}\n",
        set.LastFrame, set.CurFrame, history.Position(), history.Limit(),
        JsonBool(document.Modified()).c_str(), selected.c_str());
    return kExitOk;
}

}  // namespace kadr::cli
