#include "cli/message_command.h"

#include <charconv>
#include <cstdio>
#include <memory>

#include <QGuiApplication>

#include "cli/file_commands.h"
#include "cli/local_clock.h"
#include "cli/text_command.h"
#include "frameset/frame_set_files.h"
#include "frameset/messages/live_fields.h"
#include "frameset/messages/program_insertion.h"
#include "frameset/path_parts.h"
#include "frameset/text/utf8.h"
#include "pictures/message_font_source.h"
#include "program_file/field_lines.h"
#include "program_file/program_file.h"
#include "program_file/show_sets.h"

namespace kadr::cli {
namespace {

using messages::Message;
using messages::Program;
using messages::Refusal;

std::string Effects(bool exit) {
    std::string list;
    for (const messages::Effect effect : messages::kEffects) {
        if (!exit || messages::IsExitEffect(effect)) {
            list += (list.empty() ? "" : ", ") + std::string(messages::EffectName(effect));
        }
    }
    return list;
}

double ParseSeconds(const std::string& text) {
    double seconds = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || !(seconds >= 0) ||
        seconds > messages::kMaxHoldSeconds) {
        throw UsageError("bad --hold: '" + text + "' (0 to 60 seconds)");
    }
    return seconds;
}

struct MessageOptions {
    std::string in;
    std::string out;
    Message message;
};

MessageOptions ParseMessageOptions(const Args& args) {
    MessageOptions options;
    Message& m = options.message;
    std::optional<int> size;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--show") {
            m.show = Choice(OptionValue(args, i), messages::ParseShow, arg, "still or line");
        } else if (arg == "--align") {
            m.align =
                Choice(OptionValue(args, i), messages::ParseAlign, arg, "left, centre or right");
        } else if (arg == "--in") {
            m.in = Choice(OptionValue(args, i), messages::ParseEffect, arg, Effects(false));
        } else if (arg == "--out") {
            m.out = Choice(OptionValue(args, i), messages::ParseEffect, arg, Effects(true));
            if (!messages::IsExitEffect(m.out)) {
                throw UsageError("bad --out: '" + args[i] + "' (" + Effects(true) + ")");
            }
        } else if (arg == "--hold") {
            m.hold = ParseSeconds(OptionValue(args, i));
        } else if (arg == "--blink") {
            m.blink = ParseIntegerIn(OptionValue(args, i), 0, messages::kMaxBlink, "--blink");
        } else if (arg == "--font") {
            m.font = OptionValue(args, i);
        } else if (arg == "--size") {
            size = ParseIntegerIn(OptionValue(args, i), messages::kMinFontSize,
                                  messages::kMaxFontSize, "--size");
        } else if (arg == "--place") {
            m.place = Choice(OptionValue(args, i), messages::ParsePlacement, arg,
                             "top, bottom or middle");
        } else if (arg == "--gap") {
            m.gap = ParseIntegerIn(OptionValue(args, i), 0, text::kMaxGap, "--gap");
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            throw UsageError("unknown option '" + arg + "'");
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 3) {
        throw UsageError("message needs IN, OUT and TEXT");
    }
    options.in = positional[0];
    options.out = positional[1];
    m.text = positional[2];
    if (m.text.empty()) {
        throw UsageError("TEXT is empty");
    }
    CheckFontAndSize(m.font, size);
    m.size = size.value_or(m.size);
    return options;
}

bool NeedsDesktopFonts(const Program& program) {
    for (const Message& m : program.messages) {
        if (m.font != messages::kBuiltinFont && m.font != messages::kBuiltinFont14) {
            return true;
        }
    }
    return false;
}

// The live fields filled in now, {file:PATH} relative to `folder`.
Program Filled(const Program& program, const std::string& folder, bool named) {
    const messages::FilledProgram filled = messages::FillProgramFields(
        program, {MakeClock()->Now().local, messages::FieldLinesIn(folder)});
    if (filled.failedMessage >= 0) {
        throw Error((named ? "messages[" + std::to_string(filled.failedMessage) + "].text: "
                           : std::string()) +
                    messages::FieldErrorText(filled.error));
    }
    return filled.program;
}

// Appends the program at the end of IN, writes OUT and prints what was added.
int AppendProgram(const std::string& in, const std::string& out, const Program& written,
                  const std::string& folder, bool named) {
    const Program program = Filled(written, folder, named);
    Document document;
    OpenInputLikeEditor(document, in);
    std::unique_ptr<QGuiApplication> application;
    if (NeedsDesktopFonts(program)) {
        application = StartFontDatabase();
    }
    MessageFontSource fonts;
    document.Set().CurFrame = -1;  // at the end, whatever frame the file left current
    const messages::ProgramInsertion done = messages::InsertProgram(document, program, fonts);
    if (done.plan.refusal != Refusal::None) {
        throw Error(messages::ProgramRefusalText(done.plan, program, named));
    }
    if (out != "-") {
        NamingFile(out, [&] { WriteFrameSetFile(out, document.Set()); });
    }
    std::printf("{\"lastFrame\":%d,\"added\":%d,\"width\":%d,\"missing\":%s}\n",
                document.Set().LastFrame, done.plan.added, messages::WidestText(done.plan),
                JsonString(text::EncodeUtf8(messages::MissingCharacters(done.plan))).c_str());
    return kExitOk;
}

}  // namespace

int RunMessage(const Args& args) {
    const MessageOptions options = ParseMessageOptions(args);
    return AppendProgram(options.in, options.out, {std::nullopt, {options.message}}, "", false);
}

int RunCompose(const Args& args) {
    for (const std::string& arg : args) {
        if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            throw UsageError("unknown option '" + arg + "'");
        }
    }
    if (args.size() != 3) {
        throw UsageError("compose needs IN, OUT and PROGRAM");
    }
    const Program program = NamingFile(args[2], [&] { return messages::ReadProgramFile(args[2]); });
    return AppendProgram(args[0], args[1], program, FolderPart(args[2]), true);
}

}  // namespace kadr::cli
