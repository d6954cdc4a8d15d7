#include "cli/help.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include <QFontDatabase>
#include <QGuiApplication>

#include "cli/completion.h"
#include "cli/text_command.h"

namespace kadr::cli {
namespace {

constexpr std::size_t kSummaryColumn = 27;

void PrintLines(std::FILE* out, std::string_view text, std::string_view first,
                std::string_view rest) {
    std::string_view indent = first;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        std::fprintf(out, "%.*s%.*s\n", static_cast<int>(indent.size()), indent.data(),
                     static_cast<int>(line.size()), line.data());
        text.remove_prefix(std::min(end + 1, text.size()));
        indent = rest;
    }
}

// "  info [--json] FILE       frame count, ...": the summary in its column, on the synopsis's
// last line when that leaves room, below it otherwise.
void PrintListEntry(std::FILE* out, const CommandHelp& command) {
    const std::string column(kSummaryColumn, ' ');
    const std::size_t lastBreak = command.synopsis.rfind('\n');
    const std::string_view head = lastBreak == std::string_view::npos
                                      ? std::string_view{}
                                      : command.synopsis.substr(0, lastBreak);
    const std::string_view last = lastBreak == std::string_view::npos
                                      ? command.synopsis
                                      : command.synopsis.substr(lastBreak + 1);
    PrintLines(out, head, "  ", "       ");
    std::string line = std::string(head.empty() ? "  " : "       ") + std::string(last);
    std::string_view summary = command.summary;
    if (line.size() + 1 < kSummaryColumn) {
        const std::size_t end = std::min(summary.find('\n'), summary.size());
        line.resize(kSummaryColumn, ' ');
        line += summary.substr(0, end);
        summary.remove_prefix(std::min(end + 1, summary.size()));
    }
    std::fprintf(out, "%s\n", line.c_str());
    PrintLines(out, summary, column, column);
}

void PrintCompletion(const Completion& completion) {
    for (const std::string& word : completion.words) {
        std::printf("%s\n", word.c_str());
    }
    if (completion.fonts) {
        // The words so far are out even should the font database fail to start.
        std::fflush(stdout);
        const std::unique_ptr<QGuiApplication> application = StartFontDatabase();
        for (const QString& family : QFontDatabase::families()) {
            std::printf("%s\n", family.toUtf8().constData());
        }
    }
    if (completion.files) {
        std::printf("<file>\n");
    }
}

}  // namespace

void PrintUsage(std::FILE* out, std::span<const CommandHelp> commands) {
    std::fputs(
        "usage: kadr COMMAND [ARGS]\n"
        "       kadr help [COMMAND]     this text, or one command with an example\n"
        "       kadr COMMAND --help     the same as kadr help COMMAND\n"
        "       kadr --version\n"
        "\n"
        "Reads, checks, converts and edits the frame sets of the LED display unit.\n"
        "FILE ending in .bin (any letter case) names a module file set (eight files beside it);\n"
        "any other name is a display file (.kdz).\n"
        "\n"
        "commands:\n",
        out);
    for (const CommandHelp& command : commands) {
        PrintListEntry(out, command);
    }
    for (const CommandHelp& command : commands) {
        if (!command.details.empty()) {
            std::fputs("\n", out);
            PrintLines(out, command.details, "", "");
        }
    }
    std::fputs(
        "\n"
        "exit status: 0 done, 1 the operation failed or was refused (upload: no reply from the\n"
        "device, or the connection to it lost; message, compose: too wide or too many frames),\n"
        "2 bad usage, 3 the port cannot be opened, 130 upload stopped by SIGINT or SIGTERM\n"
        "\n"
        "The shell's completion asks 'kadr help --complete WORD...' for the words that may\n"
        "follow 'kadr WORD...', one a line ('<file>': a file name fits there too).\n",
        out);
}

void PrintCommandHelp(std::FILE* out, const CommandHelp& command) {
    PrintLines(out, command.synopsis, "usage: kadr ", "            ");
    std::fputs("\n", out);
    PrintLines(out, command.summary, "", "");
    if (!command.details.empty()) {
        std::fputs("\n", out);
        PrintLines(out, command.details, "", "");
    }
    std::fputs(
        command.example.find('\n') == std::string_view::npos ? "\nexample:\n" : "\nexamples:\n",
        out);
    PrintLines(out, command.example, "  ", "  ");
}

void PrintVersion(std::FILE* out) {
    std::fprintf(out, "kadr %s\n", KADR_VERSION);
}

int RunHelp(const Args& args, std::span<const CommandHelp> commands) {
    if (args.empty()) {
        PrintUsage(stdout, commands);
        return kExitOk;
    }
    if (args[0] == "--complete") {
        PrintCompletion(CompleteAfter(commands, Args(args.begin() + 1, args.end())));
        return kExitOk;
    }
    if (args.size() > 1) {
        throw UsageError("help takes one command");
    }
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&](const CommandHelp& c) { return c.name == args[0]; });
    if (command == commands.end()) {
        throw UsageError("help: unknown command '" + args[0] + "'");
    }
    PrintCommandHelp(stdout, *command);
    return kExitOk;
}

bool AsksForHelp(const Args& args) {
    return (!args.empty() && args[0] == "-h") ||
           std::find(args.begin(), args.end(), "--help") != args.end();
}

}  // namespace kadr::cli
