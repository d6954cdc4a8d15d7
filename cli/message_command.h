#pragma once

#include "cli/cli_support.h"
#include "cli/command_help.h"

namespace kadr::cli {

inline constexpr CommandHelp kMessageHelp{
    "message",
    "message IN OUT TEXT [--show still|line] [--align left|centre|right] [--in EFFECT]\n"
    "[--out EFFECT] [--hold 0..60] [--blink 0..50] [--font builtin|builtin14|FAMILY]\n"
    "[--size 7..14] [--place top|bottom|middle] [--gap 0..3]",
    "append one message at the end: a still text that comes,\n"
    "stays SECONDS (default 2) and goes, or a running line\n"
    "(EFFECT: none scroll-left scroll-right scroll-up scroll-down\n"
    "wipe-right wipe-left open close typewriter dissolve)",
    "",
    "kadr message shop.kdz shop.kdz \"ЦЕНА\" --in scroll-left --out scroll-up\n"
    "kadr message shop.kdz shop.kdz \"-50%\" --in typewriter --hold 1.5 --blink 3 --out dissolve"};
inline constexpr CommandHelp kComposeHelp{"compose", "compose IN OUT PROGRAM",
                                          "append the messages of a JSON program file at the end\n"
                                          "(its speedAnim first, when it gives one)",
                                          "", "kadr compose - shop.kdz program.json"};

// `kadr message`: one message appended at the end of the frame set.
int RunMessage(const Args& args);
// `kadr compose`: a program file's messages appended at the end, at the program's speed.
int RunCompose(const Args& args);

}  // namespace kadr::cli
