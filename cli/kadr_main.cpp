#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <map>
#include <string>

#include "cli/cli_support.h"
#include "cli/edit_command.h"
#include "cli/file_commands.h"
#include "cli/import_command.h"
#include "cli/kadr_main.h"
#include "cli/message_command.h"
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
        {"compose", kadr::cli::RunCompose},
    };
    return commands;
}

}  // namespace

int kadr::cli::RunKadr(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0)) {
        PrintUsage(stdout);
        return kExitOk;
    }
    try {
        if (argc < 2) {
            throw UsageError("no command given");
        }
        const auto it = Commands().find(argv[1]);
        if (it == Commands().end()) {
            throw UsageError(std::string("unknown command '") + argv[1] + "'");
        }
        return it->second(Args(argv + 2, argv + argc));
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
