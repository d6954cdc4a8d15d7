#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frameset/messages/message.h"
#include "frameset/schedule/local_time.h"

namespace kadr::messages {

// Live fields in a message's text, filled in when its frames are made: {time} (08:05), {date}
// (06.05.2024), {weekday} (понедельник), {file:PATH} (the first line of a text file), and {{
// and }} for the braces themselves. The time and the files' lines come from the caller: nothing
// here reads a clock or a file.

enum class FieldProblem {
    None,
    UnknownField,  // {something} that is none of the fields
    Unclosed,      // a '{' without its '}'
    StrayClose,    // a '}' that closes nothing and is not doubled
    EmptyPath,     // {file:} names no file
    Unreadable,    // the file of a {file:PATH} gave no line
};

struct FieldError {
    FieldProblem problem = FieldProblem::None;
    std::string field;   // as written, braces included: "{file:курс.txt}"; empty for a brace
    std::string detail;  // why a file gave no line, in the reader's words

    bool operator==(const FieldError&) const = default;
};

// A {file:PATH} field's line, or why there is none.
struct FileLine {
    std::optional<std::string> line;
    std::string error;
};
using FileLineReader = std::function<FileLine(const std::string& path)>;

struct FieldValues {
    schedule::LocalSeconds now = 0;
    FileLineReader fileLine;  // may be empty when the text names no file
};

// What a text asks for: whether it shows the clock (and so changes every minute) and which
// files it reads, each once, in the order met.
struct FieldUse {
    bool clock = false;
    std::vector<std::string> files;
    FieldError error;
};
FieldUse FieldsOf(std::string_view text);

struct FilledText {
    std::string text;
    FieldError error;  // the first problem; `text` is then unusable
};
FilledText FillFields(std::string_view text, const FieldValues& values);

// Every message's text filled in. A message whose text cannot be filled keeps its text as
// written; the first such message and its problem are reported.
struct FilledProgram {
    Program program;
    int failedMessage = -1;
    FieldError error;
};
FilledProgram FillProgramFields(const Program& program, const FieldValues& values);
FieldUse ProgramFieldUse(const Program& program);

// The problem in words, for `kadr` and the log: "{file:курс.txt}: File not found".
std::string FieldErrorText(const FieldError& error);

}  // namespace kadr::messages
