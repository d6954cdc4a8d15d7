#include "cli/message_command.h"

#include <charconv>
#include <cstdio>
#include <memory>

#include <QGuiApplication>

#include "cli/file_commands.h"
#include "cli/text_command.h"
#include "frameset/frame_set_files.h"
#include "frameset/messages/program_insertion.h"
#include "frameset/text/utf8.h"
#include "pictures/message_font_source.h"
#include "program_file/program_file.h"

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

// Why the program cannot go in, in the words of a message on stderr.
std::string RefusalText(const messages::ProgramInsertion& done, const Program& program,
                        bool named) {
    const messages::ProgramPlan& plan = done.plan;
    const int index = plan.refusedMessage;
    const std::string which =
        named && index >= 0 ? "messages[" + std::to_string(index) + "]: " : std::string();
    switch (plan.refusal) {
        case Refusal::None:
            break;
        case Refusal::NoMessages:
            return "the program has no messages";
        case Refusal::NoFont:
            return which + "no font named '" +
                   program.messages[static_cast<std::size_t>(index)].font + "' is installed";
        case Refusal::EmptyText:
            return which + "the text is empty";
        case Refusal::TooWide:
            return which + "the still text is " +
                   std::to_string(plan.messages[static_cast<std::size_t>(index)].Width()) +
                   " columns wide, the display " + std::to_string(kColumns) +
                   ": shorten it or show it as a running line (--show line)";
        case Refusal::TooLong:
            return "the messages need " + std::to_string(plan.added) + " frames, only " +
                   std::to_string(plan.freeFrames) + " of " + std::to_string(kMaxFrames) +
                   " are free";
    }
    return {};
}

bool NeedsDesktopFonts(const Program& program) {
    for (const Message& m : program.messages) {
        if (m.font != messages::kBuiltinFont && m.font != messages::kBuiltinFont14) {
            return true;
        }
    }
    return false;
}

// Appends the program at the end of IN, writes OUT and prints what was added.
int AppendProgram(const std::string& in, const std::string& out, const Program& program,
                  bool named) {
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
        throw Error(RefusalText(done, program, named));
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
    return AppendProgram(options.in, options.out, {std::nullopt, {options.message}}, false);
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
    return AppendProgram(args[0], args[1], program, true);
}

}  // namespace kadr::cli
