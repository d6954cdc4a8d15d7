#pragma once

#include <string_view>

namespace kadr::cli {

// What `kadr --help` and `kadr help NAME` say of one command. Each command declares its own beside
// its Run function, so that the overview, the command's page and the shell completion (which
// reads the options and their values out of `synopsis`) cannot drift apart.
struct CommandHelp {
    std::string_view name;
    // The command line without "kadr": options in brackets, a value's choices joined by '|'
    // (lower-case words are literal, FAMILY a font, EFFECT an effect, FILE or PATH a file). Lines
    // after the first continue it.
    std::string_view synopsis;
    // What it does, in lines of at most 54 characters (the overview puts them in a column).
    std::string_view summary;
    // More for the command's page, also shown in full after the overview's list; may be empty.
    std::string_view details;
    // Command lines that work as they stand, a comment after '#' where one helps.
    std::string_view example;
};

}  // namespace kadr::cli
