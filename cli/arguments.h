#pragma once

#include <string>
#include <vector>

namespace kadr::cli {

// The command line's words in UTF-8, the one spelling of file names the frame set and the
// picture reader take. POSIX systems pass the bytes on as given; on Windows the narrow argv is
// in the ANSI code page, where Cyrillic names may not even be representable, so the words are
// taken from the wide command line instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

}  // namespace kadr::cli
