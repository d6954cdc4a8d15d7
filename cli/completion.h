#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_help.h"

namespace kadr::cli {

// One option as a synopsis spells it: "--font builtin|builtin14|FAMILY" gives the name "--font"
// and the value "builtin|builtin14|FAMILY"; a flag such as "[--json]" has no value.
struct SynopsisOption {
    std::string name;
    std::string value;
    bool operator==(const SynopsisOption&) const = default;
};

std::vector<SynopsisOption> SynopsisOptions(std::string_view synopsis);

// What may come next on a command line: literal words, and whether a file name or an installed
// font's family fits there too.
struct Completion {
    std::vector<std::string> words;
    bool files = false;
    bool fonts = false;
};

// What may follow `kadr BEFORE...`, BEFORE being the words already complete (the one being typed
// is not among them).
Completion CompleteAfter(std::span<const CommandHelp> commands,
                         const std::vector<std::string>& before);

}  // namespace kadr::cli
