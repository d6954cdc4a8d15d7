#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/cli_support.h"
#include "cli/edit_command.h"
#include "cli/file_commands.h"
#include "cli/help.h"
#include "cli/import_command.h"
#include "cli/message_command.h"
#include "cli/ports_command.h"
#include "cli/program_run.h"
#include "cli/render_command.h"
#include "cli/schedule_command.h"
#include "cli/simulate_command.h"
#include "cli/text_command.h"
#include "cli/upload_command.h"
#include "frameset/errors.h"

namespace {

using kadr::cli::Args;
using kadr::cli::CommandHelp;

struct Command {
    const CommandHelp& help;
    std::function<int(const Args&)> run;
};

// Every command, in the order the overview lists them: a new command is one line here, its
// CommandHelp declared beside its Run function.
const std::vector<Command>& Commands() {
    using namespace kadr::cli;
    static const std::vector<Command> commands{
        {kInfoHelp, RunInfo},         {kDumpHelp, RunDump},     {kConvertHelp, RunConvert},
        {kEditHelp, RunEdit},         {kTextHelp, RunText},     {kMessageHelp, RunMessage},
        {kComposeHelp, RunCompose},   {kUploadHelp, RunUpload}, {kImportHelp, RunImport},
        {kSimulateHelp, RunSimulate}, {kRenderHelp, RunRender}, {kPortsHelp, RunPorts},
        {kScheduleHelp, RunSchedule},
    };
    return commands;
}

const std::vector<CommandHelp>& Helps() {
    static const std::vector<CommandHelp> helps = [] {
        std::vector<CommandHelp> all;
        for (const Command& command : Commands()) {
            all.push_back(command.help);
        }
        return all;
    }();
    return helps;
}

int Run(int argc, char** argv) {
    using namespace kadr::cli;
    const std::vector<std::string> words = Utf8Arguments(argc, argv);
    try {
        if (words.size() < 2) {
            throw UsageError("no command given");
        }
        const std::string& first = words[1];
        const Args args(words.begin() + 2, words.end());
        if (first == "--help" || first == "-h") {
            PrintUsage(stdout, Helps());
            return kExitOk;
        }
        if (first == "--version") {
            PrintVersion(stdout);
            return kExitOk;
        }
        if (first == "help") {
            return RunHelp(args, Helps());
        }
        const auto it = std::find_if(Commands().begin(), Commands().end(),
                                     [&](const Command& c) { return c.help.name == first; });
        if (it == Commands().end()) {
            throw UsageError((first.starts_with('-') ? "unknown option '" : "unknown command '") +
                             first + "'");
        }
        if (AsksForHelp(args)) {
            PrintCommandHelp(stdout, it->help);
            return kExitOk;
        }
        return it->run(args);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "kadr: %s\n\n", e.what());
        PrintUsage(stderr, Helps());
        return kExitUsage;
    } catch (const kadr::Error& e) {
        std::fprintf(stderr, "kadr: %s\n", e.what());
        return kExitFailed;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kadr: %s\n", e.what());
        return kExitFailed;
    }
}

}  // namespace

int main(int argc, char** argv) {
    return kadr::cli::RunOnPlatform([argc, argv] { return Run(argc, argv); });
}
