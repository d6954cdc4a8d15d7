#include "cli/upload_command.h"

#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "cli/file_commands.h"
#include "cli/stop_signals.h"
#include "cli/stop_watch.h"
#include "device/comms_error.h"
#include "device/port_failure_text.h"
#include "device/port_listing.h"
#include "device/port_settings.h"
#include "device/upload.h"
#include "device/vss_comm32.h"

namespace kadr::cli {
namespace {

struct UploadOptions {
    PortSettings port;
    std::string file;
};

UploadOptions ParseUploadArgs(const Args& args) {
    UploadOptions options;
    // The editor's stored choices are the defaults; the options override them.
    RestorePortSettings(options.port);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& { return OptionValue(args, i); };
        if (arg == "--port") {
            const std::string& name = value();
            const auto port = PortChoiceFromText(name);
            if (!port) {
                throw UsageError("bad port: '" + name + "' (COM1..COM256 or a device path)");
            }
            options.port.Port = *port;
        } else if (arg == "--baud") {
            const std::string& text = value();
            const auto rate = BaudRateFromValue(ParseInteger(text, "baud rate"));
            if (!rate) {
                throw UsageError("unsupported baud rate: '" + text + "'");
            }
            options.port.BaudRate = *rate;
        } else if (arg == "--timeout") {
            options.port.SendTimeoutInterval = ParseIntegerIn(value(), 1, 10, "time-out") * 1000;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError("unknown option '" + arg + "'");
        } else if (options.file.empty()) {
            options.file = arg;
        } else {
            throw UsageError("upload takes one FILE");
        }
    }
    if (options.file.empty()) {
        throw UsageError("upload needs a FILE");
    }
    return options;
}

// Shows what the editor's window would: each new status text on its own line of stdout, and
// on a terminal a bar of data packets on stderr.
class ConsoleOwner : public UploadOwner {
  public:
    void ShowUploadCaption(const std::string&) override {}

    void ShowUploadStatus(const std::string& text) override {
        if (text.empty() || text == shown_) {
            shown_ = text;
            return;
        }
        EndProgressLine();
        shown_ = text;
        std::printf("%s\n", text.c_str());
        std::fflush(stdout);
    }

    void ShowStatusWindow(const std::string&) override {}  // its text is already on stdout

    void ShowUploadProgress(int sent, int total) override {
        if (!progressWanted_) {
            return;
        }
        constexpr int kWidth = 40;
        const int filled = total > 0 ? sent * kWidth / total : kWidth;
        std::fprintf(
            stderr, "\r[%s%s] %d/%d", std::string(static_cast<std::size_t>(filled), '#').c_str(),
            std::string(static_cast<std::size_t>(kWidth - filled), '.').c_str(), sent, total);
        std::fflush(stderr);
        progressShown_ = true;
    }

    void UploadEnded(UploadOutcome outcome) override {
        EndProgressLine();
        switch (outcome) {
            case UploadOutcome::Completed:
                QCoreApplication::exit(kExitOk);
                break;
            case UploadOutcome::NoReply:
            case UploadOutcome::ConnectionLost:
                QCoreApplication::exit(kExitFailed);
                break;
            case UploadOutcome::Aborted:
                QCoreApplication::exit(kExitInterrupted);
                break;
        }
    }

  private:
    void EndProgressLine() {
        if (progressShown_) {
            std::fputc('\n', stderr);
            progressShown_ = false;
        }
    }

    bool progressWanted_ = StderrIsTerminal();
    bool progressShown_ = false;
    std::string shown_;
};

}  // namespace

int RunUpload(const Args& args) {
    const UploadOptions options = ParseUploadArgs(args);
    Document document;
    OpenWholeSet(document, options.file);

    static int argc = 1;
    static char name[] = "kadr";
    static char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    // Before the component starts its threads, so that the signals come only to us.
    StopSignals stopSignals;

    TVSSComm32 comm;
    comm.ChoosePort(options.port.Port);
    comm.BaudRate = options.port.BaudRate;
    SetDisplayUnitLine(comm);

    ConsoleOwner owner;
    TDeviceUpload upload(document.Set(), comm, owner);
    upload.SetSendTimeoutInterval(options.port.SendTimeoutInterval);

    // A stop signal is the upload button pressed again.
    const auto stop = WatchStopSignals(stopSignals, [&] {
        if (upload.State().UploadActive) {
            upload.AbortUpload();
        }
    });

    try {
        upload.StartUpload();
    } catch (const ECommsError& e) {
        const std::string advice = PortFailureAdvice(
            e.Reason(), e.SystemError(), PortLabel(comm.ChosenPort(), comm.DeviceName()),
            comm.DeviceName(), ListSystemPorts());
        std::fprintf(stderr, "kadr: %s: %s\n%s\n", comm.DeviceName().c_str(), e.what(),
                     advice.c_str());
        return kExitNoPort;
    }
    return QCoreApplication::exec();
}

}  // namespace kadr::cli
