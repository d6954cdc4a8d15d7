#include "editor/app/command_line.h"

#include <iterator>

namespace kadr::editor {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;

struct QtOption {
    const char* name;
    bool takesValue;
    bool joinedValue;  // also written -name=VALUE
};

// The options Qt 6.4 takes out of the command line itself, each also written with two dashes:
// QGuiApplication's and QApplication's, and those of its X11 platform.
constexpr QtOption kQtOptions[] = {
    {"platform", true, false},
    {"platformpluginpath", true, false},
    {"platformtheme", true, false},
    {"plugin", true, false},
    {"qwindowgeometry", true, false},
    {"qwindowicon", true, false},
    {"qwindowtitle", true, false},
    {"session", true, false},
    {"style", true, true},
    {"stylesheet", true, true},
    {"qmljsdebugger", true, true},
    {"reverse", false, false},
    {"widgetcount", false, false},
    {"testability", false, false},
    {"display", true, false},
    {"geometry", true, false},
    {"title", true, false},
    {"name", true, false},
    {"icon", true, false},
    {"visual", true, false},
    {"nograb", false, false},
    {"dograb", false, false},
};

const QtOption* FindQtOption(const QString& word, bool& joined) {
    const QString bare = word.startsWith(QLatin1String("--")) ? word.mid(2) : word.mid(1);
    for (const QtOption& option : kQtOptions) {
        const QLatin1String name(option.name);
        joined = option.joinedValue && bare.startsWith(name + QLatin1Char('='));
        if (bare == name || joined) {
            return &option;
        }
    }
    return nullptr;
}

// The words Qt leaves to the editor; a Qt option that lacks its value is named in `problem`.
QStringList WithoutQtOptions(const QStringList& words, QString& problem) {
    QStringList left;
    for (auto word = words.begin(); word != words.end(); ++word) {
        bool joined = false;
        const QtOption* option = word != words.begin() && word->startsWith(QLatin1Char('-'))
                                     ? FindQtOption(*word, joined)
                                     : nullptr;
        if (option == nullptr) {
            left << *word;
        } else if (option->takesValue && !joined) {
            if (std::next(word) == words.end()) {
                problem = QStringLiteral("option '%1' needs a value").arg(*word);
                break;
            }
            ++word;
        }
    }
    return left;
}

std::string Help() {
    return "usage: kadropisets [FILE]\n"
           "       kadropisets --help | --version\n"
           "\n"
           "Кадрописец, the editor of the frame sets of the LED display unit (eight modules,\n"
           "28 x 16 dots, up to 256 frames), which it uploads into the unit over a serial port.\n"
           "FILE, a display file (.kdz) or any file of a module file set (.bin), is opened at "
           "start.\n"
           "\n"
           "options:\n"
           "  -h, --help     print this text and exit\n"
           "  --version      print the version and exit\n"
           "  --schedule SCHEDULE\n"
           "                 start 'kadr schedule SCHEDULE' without a window and exit (what the\n"
           "                 shortcut \"Запускать при входе в Windows\" puts in the Startup "
           "folder)\n"
           "Qt's own options (such as -platform offscreen or -style fusion) are taken as well.\n"
           "\n"
#ifdef Q_OS_WIN
           "The settings live in the registry "
           "(HKEY_CURRENT_USER\\Software\\Tarnovik\\kadropisets);\n"
           "work not saved when the editor died is offered back from\n"
           "%LOCALAPPDATA%\\Tarnovik\\kadropisets\\recovery at the next start."
#else
           "The settings live in ~/.config/Tarnovik/kadropisets.conf; work not saved when the\n"
           "editor died is offered back from ~/.local/share/Tarnovik/kadropisets/recovery at the\n"
           "next start."
#endif
           " kadr(1) reads, edits, draws and uploads the same files from the command\n"
           "line.\n";
}

CommandLineAnswer Refusal(const QString& problem) {
    return {kExitUsage, {}, "kadropisets: " + problem.toStdString() + "\n\n" + Help()};
}

}  // namespace

std::optional<CommandLineAnswer> AnswerInformationRequest(const QStringList& words) {
    QString problem;
    for (const QString& word : WithoutQtOptions(words, problem).mid(1)) {
        if (word == QLatin1String("--help") || word == QLatin1String("-h")) {
            return CommandLineAnswer{kExitOk, Help(), {}};
        }
        if (word == QLatin1String("--version")) {
            return CommandLineAnswer{kExitOk, "kadropisets " KADR_VERSION "\n", {}};
        }
    }
    return std::nullopt;
}

std::optional<CommandLineAnswer> CheckWordsBeforeStart(const QStringList& words) {
    QString problem;
    const QStringList left = WithoutQtOptions(words, problem);
    if (!problem.isEmpty()) {
        return Refusal(problem);
    }
    return CheckStartArguments(left);
}

std::optional<CommandLineAnswer> CheckStartArguments(const QStringList& words) {
    const QStringList given = words.mid(1);
    for (const QString& word : given) {
        if (word.size() > 1 && word.startsWith(QLatin1Char('-'))) {
            return Refusal(QStringLiteral("unknown option '%1'").arg(word));
        }
    }
    if (given.size() > 1) {
        return Refusal(QStringLiteral("one file at most, %1 given").arg(given.size()));
    }
    return std::nullopt;
}

}  // namespace kadr::editor
