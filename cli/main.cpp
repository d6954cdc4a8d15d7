#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/cli_support.h"
#include "cli/edit_command.h"
#include "cli/file_commands.h"
#include "cli/import_command.h"
#include "cli/message_command.h"
#include "cli/ports_command.h"
#include "cli/program_run.h"
#include "cli/render_command.h"
#include "cli/simulate_command.h"
#include "cli/text_command.h"
#include "cli/upload_command.h"
#include "frameset/errors.h"

namespace {

using kadr::cli::Args;
using Command = std::function<int(const Args&)>;

const std::map<std::string, Command>& Commands() {
    static const std::map<std::string, Command> commands{
        {"info", kadr::cli::RunInfo},       {"dump", kadr::cli::RunDump},
        {"convert", kadr::cli::RunConvert}, {"edit", kadr::cli::RunEdit},
        {"upload", kadr::cli::RunUpload},   {"simulate", kadr::cli::RunSimulate},
        {"text", kadr::cli::RunText},       {"render", kadr::cli::RunRender},
        {"import", kadr::cli::RunImport},   {"message", kadr::cli::RunMessage},
        {"compose", kadr::cli::RunCompose}, {"ports", kadr::cli::RunPorts},
    };
    return commands;
}

int Run(int argc, char** argv) {
    using namespace kadr::cli;
    const std::vector<std::string> words = Utf8Arguments(argc, argv);
    if (words.size() >= 2 && (words[1] == "--help" || words[1] == "help")) {
        PrintUsage(stdout);
        return kExitOk;
    }
    try {
        if (words.size() < 2) {
            throw UsageError("no command given");
        }
        const auto it = Commands().find(words[1]);
        if (it == Commands().end()) {
            throw UsageError("unknown command '" + words[1] + "'");
        }
        return it->second(Args(words.begin() + 2, words.end()));
    } catch (const UsageError& e) {
        std::fprintf(stderr, "kadr: %s\n\n", e.what());
        PrintUsage(stderr);
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
