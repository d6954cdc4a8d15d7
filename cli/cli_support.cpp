#include "cli/cli_support.h"

#include <charconv>
#include <cstdio>

namespace kadr::cli {

void PrintUsage(std::FILE* out) {
    std::fputs(
        "usage: kadr COMMAND [ARGS]\n"
        "\n"
        "Reads, checks, converts and edits the frame sets of the LED display unit.\n"
        "FILE ending in .bin (any letter case) names a module file set (eight files beside it);\n"
        "any other name is a display file (.kdz).\n"
        "\n"
        "commands:\n"
        "  info [--json] FILE       frame count, orientation, speeds and the kind of every frame\n"
        "  dump FILE                every frame as 16 rows of 28 cells ('#' set, '.' blank)\n"
        "  convert IN OUT           read IN, write OUT in the format OUT's extension selects\n"
        "  edit IN OUT [OP...]      apply editor commands to IN and write OUT ('-' as IN: the\n"
        "                           start-up document of one blank frame; as OUT: write nothing)\n"
        "  text IN OUT TEXT [--font builtin|builtin14|FAMILY] [--size 7..14]\n"
        "       [--place top|bottom|middle] [--gap 0..3] [--lead N] [--trail N]\n"
        "                           append TEXT to IN as a running line (start frame, frames\n"
        "                           of text, end frame) and write OUT ('-' as IN or OUT as edit)\n"
        "  message IN OUT TEXT [--show still|line] [--align left|centre|right] [--in EFFECT]\n"
        "       [--out EFFECT] [--hold 0..60] [--blink 0..50] [--font builtin|builtin14|FAMILY]\n"
        "       [--size 7..14] [--place top|bottom|middle] [--gap 0..3]\n"
        "                           append one message at the end: a still text that comes,\n"
        "                           stays SECONDS (default 2) and goes, or a running line\n"
        "                           (EFFECT: none scroll-left scroll-right scroll-up scroll-down\n"
        "                           wipe-right wipe-left open close typewriter dissolve)\n"
        "  compose IN OUT PROGRAM   append the messages of a JSON program file at the end\n"
        "                           (its speedAnim first, when it gives one)\n"
        "  upload [--port NAME] [--baud RATE] [--timeout SECONDS] FILE\n"
        "                           upload FILE into the display unit (NAME: COM1..COM256 or a\n"
        "                           device path; defaults: the editor's stored settings)\n"
        "  import IN IMAGE OUT [--threshold 0..255] [--crop] [--dither] [--invert] [--line]\n"
        "                           append the frames of a PNG, BMP, JPEG or GIF picture (fit\n"
        "                           to 28 x 14 or cut 1:1; --line: a wide picture as a running\n"
        "                           line); '-' as IN: the start-up document\n"
        "  simulate [--link PATH | --port NAME] [--save FILE] [--once] [--baud RATE]\n"
        "                           a virtual display unit on a pseudo-terminal; prints its\n"
        "                           device as 'port DEVICE' (--baud 0: no line pacing)\n"
        "  ports [--json]           the serial ports present (name, description, USB ids) and\n"
        "                           the one the editor's stored settings choose\n"
        "  render [--scale N] [--colour red|green|amber|white|blue] [--frame K] IN OUT\n"
        "                           the set as the display plays it: OUT .gif is one pass,\n"
        "                           looping; .png is frame K (from 1) or a sheet of every\n"
        "                           frame ('-' as IN: one blank frame; N: LED size, default 8;\n"
        "                           nothing to play is a failure)\n"
        "\n"
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
        "\n"
        "exit status: 0 done, 1 the operation failed or was refused (upload: no reply from the\n"
        "device, or the connection to it lost; message, compose: too wide or too many frames),\n"
        "2 bad usage, 3 the port cannot be opened, 130 upload stopped by SIGINT or SIGTERM\n",
        out);
}

const std::string& OptionValue(const Args& args, std::size_t& i) {
    if (i + 1 >= args.size()) {
        throw UsageError(args[i] + " needs a value");
    }
    return args[++i];
}

long long ParseInteger(std::string_view text, std::string_view what) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    long long value = 0;
    const char* end = digits.data() + digits.size();
    auto [ptr, ec] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || ec != std::errc() || ptr != end) {
        throw UsageError("bad " + std::string(what) + ": '" + std::string(text) + "'");
    }
    return value;
}

int ParseIntegerIn(std::string_view text, long long low, long long high, std::string_view what) {
    const long long value = ParseInteger(text, what);
    if (value < low || value > high) {
        throw UsageError(std::string(what) + " out of range " + std::to_string(low) + ".." +
                         std::to_string(high) + ": '" + std::string(text) + "'");
    }
    return static_cast<int>(value);
}

std::optional<std::pair<std::string_view, std::string_view>> SplitOnce(std::string_view word,
                                                                       char sep) {
    const std::size_t at = word.find(sep);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    return std::make_pair(word.substr(0, at), word.substr(at + 1));
}

std::string JsonBool(bool value) {
    return value ? "true" : "false";
}

}  // namespace kadr::cli
