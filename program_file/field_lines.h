#pragma once

#include <string>

#include "frameset/messages/live_fields.h"

namespace kadr::messages {

// The longest first line a {file:PATH} field takes; a display shows a few dozen characters.
inline constexpr std::size_t kMaxFieldLineBytes = 4096;

// The first line of a UTF-8 text file (a byte-order mark and the spaces around it dropped), or
// why there is none: the file cannot be read, is not UTF-8, or its first line is longer than
// kMaxFieldLineBytes. Never reads more than that.
FileLine ReadFieldLine(const std::string& path);

// Where a {file:PATH} field's file is: PATH itself when absolute or `folder` is empty, else
// PATH in `folder`.
std::string FieldFilePath(const std::string& folder, const std::string& path);

// A reader for {file:PATH} fields whose relative names start in `folder` (empty: the current
// folder).
FileLineReader FieldLinesIn(const std::string& folder);

}  // namespace kadr::messages
