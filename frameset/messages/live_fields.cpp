#include "frameset/messages/live_fields.h"

#include <algorithm>

namespace kadr::messages {
namespace {

constexpr std::string_view kFilePrefix = "file:";

std::string Head(std::string_view text, std::size_t bytes);

// Walks a text once: literal pieces to `literal`, each field's inside to `field` (which answers
// with a problem, None when the field is good). Stops at the first problem.
template <typename Literal, typename Field>
FieldError Scan(std::string_view text, Literal literal, Field field) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t brace = text.find_first_of("{}", i);
        literal(text.substr(i, brace == std::string_view::npos ? text.npos : brace - i));
        if (brace == std::string_view::npos) {
            break;
        }
        const char c = text[brace];
        if (brace + 1 < text.size() && text[brace + 1] == c) {
            literal(text.substr(brace, 1));
            i = brace + 2;
            continue;
        }
        if (c == '}') {
            return {FieldProblem::StrayClose, {}, {}};
        }
        const std::size_t close = text.find('}', brace + 1);
        if (close == std::string_view::npos) {
            return {FieldProblem::Unclosed, Head(text.substr(brace), 24), {}};
        }
        const std::string_view inside = text.substr(brace + 1, close - brace - 1);
        FieldError error = field(inside);
        if (error.problem != FieldProblem::None) {
            // Appended piece by piece: GCC 12 at -O3 mistakes "{" + string for an overlap.
            error.field.reserve(inside.size() + 2);
            error.field += '{';
            error.field += inside;
            error.field += '}';
            return error;
        }
        i = close + 1;
    }
    return {};
}

// At most `bytes` of a text, never ending inside a UTF-8 character.
std::string Head(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes) {
        return std::string(text);
    }
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) {
        --bytes;
    }
    return std::string(text.substr(0, bytes)) + "...";
}

bool IsClockField(std::string_view name) {
    return name == "time" || name == "date" || name == "weekday";
}

// The field's own problem before any value is sought: unknown, or a file of no name.
FieldProblem NameProblem(std::string_view inside) {
    if (IsClockField(inside)) {
        return FieldProblem::None;
    }
    if (inside.substr(0, kFilePrefix.size()) != kFilePrefix) {
        return FieldProblem::UnknownField;
    }
    return inside.size() == kFilePrefix.size() ? FieldProblem::EmptyPath : FieldProblem::None;
}

}  // namespace

FieldUse FieldsOf(std::string_view text) {
    FieldUse use;
    use.error = Scan(
        text, [](std::string_view) {},
        [&use](std::string_view inside) -> FieldError {
            const FieldProblem problem = NameProblem(inside);
            if (problem != FieldProblem::None) {
                return {problem, {}, {}};
            }
            if (IsClockField(inside)) {
                use.clock = true;
                return {};
            }
            const std::string path(inside.substr(kFilePrefix.size()));
            if (std::find(use.files.begin(), use.files.end(), path) == use.files.end()) {
                use.files.push_back(path);
            }
            return {};
        });
    return use;
}

FilledText FillFields(std::string_view text, const FieldValues& values) {
    FilledText filled;
    filled.error = Scan(
        text, [&filled](std::string_view piece) { filled.text += piece; },
        [&](std::string_view inside) -> FieldError {
            const FieldProblem problem = NameProblem(inside);
            if (problem != FieldProblem::None) {
                return {problem, {}, {}};
            }
            if (inside == "time") {
                filled.text += schedule::ClockText(values.now);
            } else if (inside == "date") {
                filled.text += schedule::DateText(values.now);
            } else if (inside == "weekday") {
                filled.text += schedule::WeekdayName(values.now);
            } else {
                const std::string path(inside.substr(kFilePrefix.size()));
                const FileLine line =
                    values.fileLine ? values.fileLine(path) : FileLine{std::nullopt, {}};
                if (!line.line) {
                    return {FieldProblem::Unreadable, {}, line.error};
                }
                filled.text += *line.line;
            }
            return {};
        });
    return filled;
}

FilledProgram FillProgramFields(const Program& program, const FieldValues& values) {
    FilledProgram filled{program, -1, {}};
    for (std::size_t i = 0; i < program.messages.size(); ++i) {
        FilledText text = FillFields(program.messages[i].text, values);
        if (text.error.problem == FieldProblem::None) {
            filled.program.messages[i].text = std::move(text.text);
        } else if (filled.failedMessage < 0) {
            filled.failedMessage = static_cast<int>(i);
            filled.error = std::move(text.error);
        }
    }
    return filled;
}

FieldUse ProgramFieldUse(const Program& program) {
    FieldUse all;
    for (const Message& message : program.messages) {
        const FieldUse use = FieldsOf(message.text);
        all.clock = all.clock || use.clock;
        for (const std::string& file : use.files) {
            if (std::find(all.files.begin(), all.files.end(), file) == all.files.end()) {
                all.files.push_back(file);
            }
        }
        if (all.error.problem == FieldProblem::None) {
            all.error = use.error;
        }
    }
    return all;
}

std::string FieldErrorText(const FieldError& error) {
    switch (error.problem) {
        case FieldProblem::None:
            break;
        case FieldProblem::UnknownField:
            return error.field +
                   ": unknown field (fields: {time}, {date}, {weekday}, {file:PATH}; "
                   "{{ and }} for braces)";
        case FieldProblem::Unclosed:
            return error.field + ": a '{' without its '}' (write {{ for a brace)";
        case FieldProblem::StrayClose:
            return "a '}' without its '{' (write }} for a brace)";
        case FieldProblem::EmptyPath:
            return error.field + ": names no file";
        case FieldProblem::Unreadable:
            return error.field + ": " + error.detail;
    }
    return {};
}

}  // namespace kadr::messages
