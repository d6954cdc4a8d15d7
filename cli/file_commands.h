#pragma once

#include "cli/cli_support.h"
#include "cli/command_help.h"
#include "frameset/document.h"
#include "frameset/errors.h"

namespace kadr::cli {

// Runs a file operation so that its error names the file.
template <typename Operation>
auto NamingFile(const std::string& path, Operation operation) {
    try {
        return operation();
    } catch (const FileError& e) {
        throw Error(path + ": " + e.what());
    }
}

// Reads FILE into a document as the editor's Open does and warns on stderr when the file held
// more frames than fit. Throws FileError.
ReadReport OpenLikeEditor(Document& document, const std::string& path);

// As OpenLikeEditor, except that a module file set with a file missing is refused (Error naming
// that file) instead of read in part: for commands whose result must be the named frame set.
void OpenWholeSet(Document& document, const std::string& path);

// As OpenLikeEditor, except that "-" leaves the document as the editor starts up (one blank
// frame, current), so that scripts can start from nothing.
ReadReport OpenInputLikeEditor(Document& document, const std::string& path);

inline constexpr CommandHelp kInfoHelp{
    "info", "info [--json] FILE", "frame count, orientation, speeds and the kind of every frame",
    "",
    "kadr info --json line.kdz\n"
    "kadr info h4ne.bin           # a module file set, by any of its eight files"};
inline constexpr CommandHelp kDumpHelp{"dump", "dump FILE",
                                       "every frame as 16 rows of 28 cells ('#' set, '.' blank)",
                                       "", "kadr dump line.kdz | less"};
inline constexpr CommandHelp kConvertHelp{
    "convert", "convert IN OUT", "read IN, write OUT in the format OUT's extension selects", "",
    "kadr convert line.kdz line.bin   # writes h4ne.bin ... l1ne.bin beside it"};

int RunInfo(const Args& args);
int RunDump(const Args& args);
int RunConvert(const Args& args);

}  // namespace kadr::cli
