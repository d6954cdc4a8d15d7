#include "editor/app/command_line.h"

namespace kadr::editor {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;

void PrintHelp(std::FILE* out) {
    std::fputs(
        "usage: kadropisets [FILE]\n"
        "       kadropisets --help | --version\n"
        "\n"
        "Кадрописец, the editor of the frame sets of the LED display unit (eight modules,\n"
        "28 x 16 dots, up to 256 frames), which it uploads into the unit over a serial port.\n"
        "FILE, a display file (.kdz) or any file of a module file set (.bin), is opened at start.\n"
        "\n"
        "options:\n"
        "  -h, --help     print this text and exit\n"
        "  --version      print the version and exit\n"
        "  --schedule SCHEDULE\n"
        "                 start 'kadr schedule SCHEDULE' without a window and exit (what the\n"
        "                 shortcut \"Запускать при входе в Windows\" puts in the Startup folder)\n"
        "Qt's own options (such as -platform offscreen or -style fusion) are taken as well.\n"
        "\n"
        "The settings live in ~/.config/Tarnovik/kadropisets.conf; work not saved when the\n"
        "editor died is offered back from ~/.local/share/Tarnovik/kadropisets/recovery at the\n"
        "next start. kadr(1) reads, edits, draws and uploads the same files from the command\n"
        "line.\n",
        out);
}

}  // namespace

std::optional<int> AnswerInformationRequest(const QStringList& words, std::FILE* out) {
    for (const QString& word : words.mid(1)) {
        if (word == QLatin1String("--help") || word == QLatin1String("-h")) {
            PrintHelp(out);
            return kExitOk;
        }
        if (word == QLatin1String("--version")) {
            std::fprintf(out, "kadropisets %s\n", KADR_VERSION);
            return kExitOk;
        }
    }
    return std::nullopt;
}

std::optional<int> CheckStartArguments(const QStringList& words, std::FILE* err) {
    const QStringList given = words.mid(1);
    QString problem;
    for (const QString& word : given) {
        if (word.size() > 1 && word.startsWith(QLatin1Char('-'))) {
            problem = QStringLiteral("unknown option '%1'").arg(word);
            break;
        }
    }
    if (problem.isEmpty() && given.size() > 1) {
        problem = QStringLiteral("one file at most, %1 given").arg(given.size());
    }
    if (problem.isEmpty()) {
        return std::nullopt;
    }
    std::fprintf(err, "kadropisets: %s\n\n", problem.toUtf8().constData());
    PrintHelp(err);
    return kExitUsage;
}

}  // namespace kadr::editor
