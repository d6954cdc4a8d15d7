#include "cli/text_command.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <QGuiApplication>

#include "cli/file_commands.h"
#include "frameset/frame_set_files.h"
#include "frameset/messages/message.h"
#include "frameset/text/builtin_font.h"
#include "frameset/text/running_line.h"
#include "frameset/text/utf8.h"
#include "pictures/system_font.h"

namespace kadr::cli {
namespace {

struct TextOptions {
    std::string in;
    std::string out;
    std::string text;
    std::string font = messages::kBuiltinFont;
    std::optional<int> size;
    text::TextLayout layout;
};

TextOptions ParseTextOptions(const Args& args) {
    TextOptions options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--font") {
            options.font = OptionValue(args, i);
        } else if (arg == "--size") {
            options.size = ParseIntegerIn(OptionValue(args, i), SystemFont::kMinHeight,
                                          SystemFont::kMaxHeight, "--size");
        } else if (arg == "--place") {
            options.layout.placement = Choice(OptionValue(args, i), messages::ParsePlacement, arg,
                                              "top, bottom or middle");
        } else if (arg == "--gap") {
            options.layout.gap = ParseIntegerIn(OptionValue(args, i), 0, text::kMaxGap, "--gap");
        } else if (arg == "--lead") {
            options.layout.lead =
                ParseIntegerIn(OptionValue(args, i), 0, text::kMaxMargin, "--lead");
        } else if (arg == "--trail") {
            options.layout.trail =
                ParseIntegerIn(OptionValue(args, i), 0, text::kMaxMargin, "--trail");
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            throw UsageError("unknown option '" + arg + "'");
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 3) {
        throw UsageError("text needs IN, OUT and TEXT");
    }
    options.in = positional[0];
    options.out = positional[1];
    options.text = positional[2];
    if (options.text.empty()) {
        throw UsageError("TEXT is empty");
    }
    CheckFontAndSize(options.font, options.size);
    return options;
}

}  // namespace

void CheckFontAndSize(const std::string& font, std::optional<int> size) {
    if (font.empty()) {
        throw UsageError("--font needs a name");
    }
    const bool builtin = font == messages::kBuiltinFont || font == messages::kBuiltinFont14;
    if (builtin && size && *size != (font == messages::kBuiltinFont ? 7 : 14)) {
        throw UsageError("--size " + std::to_string(*size) + " does not fit --font " + font +
                         " (7 dots, or 14 for builtin14)");
    }
}

// Windows always has its desktop, and its off-screen platform would not see the installed fonts.
std::unique_ptr<QGuiApplication> StartFontDatabase([[maybe_unused]] bool offScreen) {
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        (offScreen || (qEnvironmentVariableIsEmpty("DISPLAY") &&
                       qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")))) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    static int argc = 1;
    static char name[] = "kadr";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

int RunText(const Args& args) {
    const TextOptions options = ParseTextOptions(args);
    Document document;
    OpenInputLikeEditor(document, options.in);

    std::unique_ptr<QGuiApplication> application;
    std::unique_ptr<text::TextFont> font;
    if (options.font == messages::kBuiltinFont) {
        font = std::make_unique<text::BuiltinFont>(1);
    } else if (options.font == messages::kBuiltinFont14) {
        font = std::make_unique<text::BuiltinFont>(2);
    } else {
        application = StartFontDatabase();
        font = SystemFont::Find(QString::fromStdString(options.font),
                                options.size.value_or(SystemFont::kMaxHeight));
        if (!font) {
            throw Error("no font named '" + options.font + "' is installed");
        }
    }

    const text::RenderedText rendered = text::RenderText(options.text, *font, options.layout);
    // The line goes at the end, whatever frame the file left current.
    document.Set().CurFrame = -1;
    const text::LineInsertion line = text::InsertRunningLine(document, rendered);
    if (line.refusal == text::LineRefusal::TooLong) {
        throw Error("the running line needs " + std::to_string(line.added) + " frames, only " +
                    std::to_string(line.freeFrames) + " of " + std::to_string(kMaxFrames) +
                    " are free");
    }
    if (line.refusal == text::LineRefusal::EmptyText) {
        throw UsageError("TEXT is empty");
    }
    if (options.out != "-") {
        NamingFile(options.out, [&] { WriteFrameSetFile(options.out, document.Set()); });
    }
    std::printf("{\"lastFrame\":%d,\"added\":%d,\"width\":%d,\"missing\":%s}\n",
                document.Set().LastFrame, line.added, rendered.picture.width,
                JsonString(text::EncodeUtf8(rendered.missing)).c_str());
    return kExitOk;
}

}  // namespace kadr::cli
