#include "cli/schedule_runner.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "cli/cli_support.h"
#include "cli/stop_signals.h"
#include "cli/stop_watch.h"
#include "device/comms_error.h"
#include "frameset/display_file.h"
#include "frameset/file_system.h"
#include "frameset/frame_codec.h"
#include "program_file/schedule_file.h"
#include "program_file/show_sets.h"

namespace kadr::cli {
namespace {

using schedule::Moment;
using schedule::ScheduleRun;

// The runner looks for changed files this often and never sleeps longer.
constexpr std::int64_t kLookEveryMs = 1000;

int FramesOf(const std::vector<std::uint8_t>& bytes) {
    return static_cast<int>((bytes.size() - kHeaderBytes) / kRecordBytes);
}

// The number after the highest NNNN.kdz already in the folder, so that a second run with the
// same --save folder writes after the first one's files instead of over them.
int FirstFreeNumber(const std::string& folder) {
    int highest = 0;
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(PathFromUtf8(folder), ec)) {
        const std::string name = Utf8FromPath(item.path().filename());
        if (name.size() == 8 && name.substr(4) == ".kdz" &&
            std::all_of(name.begin(), name.begin() + 4,
                        [](char c) { return c >= '0' && c <= '9'; })) {
            highest = std::max(highest, std::stoi(name.substr(0, 4)));
        }
    }
    return highest;
}

}  // namespace

// Hears what the upload shows; its end is handled once the upload has returned.
class ScheduleRunner::Owner : public UploadOwner {
  public:
    explicit Owner(ScheduleRunner& runner) : runner_(runner) {}
    void ShowUploadCaption(const std::string&) override {}
    void ShowUploadStatus(const std::string& text) override {
        if (!text.empty()) {
            status_ = text;
        }
    }
    void ShowStatusWindow(const std::string&) override {}
    void UploadEnded(UploadOutcome outcome) override {
        // Finish destroys this owner: the status goes along as a copy.
        QTimer::singleShot(0, &runner_.timer_, [&runner = runner_, outcome, status = status_] {
            runner.Finish(outcome, status);
        });
    }

  private:
    ScheduleRunner& runner_;
    std::string status_;
};

std::string FramesText(int frames) {
    return std::to_string(frames) + (frames == 1 ? " frame" : " frames");
}

std::unique_ptr<FrameSet> SetFromBytes(const std::vector<std::uint8_t>& bytes) {
    auto set = std::make_unique<FrameSet>();
    ApplyHeader(bytes.data(), *set);
    const int frames = FramesOf(bytes);
    for (int f = 0; f < frames; ++f) {
        DecodeFrame(bytes.data() + kHeaderBytes + static_cast<std::size_t>(f) * kRecordBytes,
                    set->Frames[static_cast<std::size_t>(f)]);
    }
    set->LastFrame = frames - 1;
    return set;
}

ScheduleRunner::ScheduleRunner(RunOptions options, schedule::Schedule schedule, const Clock& clock,
                               messages::FontSource& fonts)
    : options_(std::move(options)),
      schedule_(std::move(schedule)),
      clock_(clock),
      fonts_(fonts),
      log_(LogPathFor(options_.schedulePath)),
      run_(schedule_) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
}

ScheduleRunner::~ScheduleRunner() {
    upload_.reset();
    comm_.reset();
}

int ScheduleRunner::Run(StopSignals& stops) {
    const auto watcher = WatchStopSignals(stops, [this] { Stop(); });
    std::string where;
    if (options_.saveDir) {
        std::error_code ec;
        std::filesystem::create_directories(PathFromUtf8(*options_.saveDir), ec);
        saved_ = FirstFreeNumber(*options_.saveDir);
        where = "saving into " + *options_.saveDir;
    } else {
        const ScheduleLine line = ResolveScheduleLine(schedule_.line, options_.port);
        where = "port " + line.Label() + " at " +
                std::to_string(BaudValue(line.settings.BaudRate)) + " baud";
    }
    log_.Line(clock_.Now().local, "started: " + options_.schedulePath + ", " +
                                      std::to_string(schedule_.entries.size()) + " entries, " +
                                      where);
    scheduleWatch_.Watch({options_.schedulePath});
    Tick();
    return QCoreApplication::exec();
}

void ScheduleRunner::Tick() {
    if (stopping_) {
        return;
    }
    if (scheduleWatch_.Changed()) {
        ReadScheduleAgain();
    }
    const bool filesChanged = showWatch_.Changed();
    const Moment now = clock_.Now();
    const ScheduleRun::Look look = run_.LookAt(now, filesChanged);
    if (look.make) {
        Make(look, now);
    }
    StartDue(now);
    Arm();
}

void ScheduleRunner::ReadScheduleAgain() {
    const schedule::LocalSeconds now = clock_.Now().local;
    try {
        schedule::Schedule schedule = schedule::ReadScheduleFile(options_.schedulePath);
        ResolveScheduleLine(schedule.line, options_.port);
        schedule_ = std::move(schedule);
        run_.Replace(schedule_);
        log_.Line(now,
                  "schedule read again: " + std::to_string(schedule_.entries.size()) + " entries");
    } catch (const Error& e) {
        log_.Line(now, std::string("schedule not read again: ") + e.what() +
                           "; the schedule before it stays");
    }
}

void ScheduleRunner::Make(const ScheduleRun::Look& look, const Moment& now) {
    const schedule::ShowSet made =
        schedule::MakeShowSet(schedule::EntryShowPath(options_.schedulePath, schedule_, look.entry),
                              schedule_, now.local, fonts_);
    showWatch_.Watch(made.files);
    const bool event =
        look.reason != schedule::Reason::Minute && look.reason != schedule::Reason::FilesChanged;
    if (!made.set) {
        run_.MakeFailed(made.clock);
        // Said once, not every minute while it lasts.
        if (event || made.error != lastError_) {
            log_.Line(now.local, schedule::EntryLabel(schedule_, look.entry) + ": " + made.error +
                                     "; the display keeps what it shows");
        }
        lastError_ = made.error;
        return;
    }
    lastError_.clear();
    std::vector<std::uint8_t> bytes = schedule::SetBytes(*made.set);
    const int frames = FramesOf(bytes);
    if (run_.Made({look.entry, std::move(bytes), made.clock}) == ScheduleRun::Verdict::Unchanged &&
        event) {
        log_.Line(now.local, schedule::EntryLabel(schedule_, look.entry) + ", " +
                                 FramesText(frames) + ": the display has it already");
    }
}

void ScheduleRunner::StartDue(const Moment& now) {
    while (!stopping_ && !upload_) {
        const std::optional<schedule::MadeSet> due = run_.TakeDue(now);
        if (!due) {
            return;
        }
        if (options_.saveDir) {
            Save(*due, now);
        } else {
            Upload(*due, now);
        }
    }
}

void ScheduleRunner::Save(const schedule::MadeSet& set, const Moment& now) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d.kdz", saved_ + 1);
    const std::string path = Utf8FromPath(PathFromUtf8(*options_.saveDir) / name);
    const std::string what =
        schedule::EntryLabel(schedule_, set.entry) + ", " + FramesText(FramesOf(set.bytes)) + ": ";
    try {
        WriteDisplayFile(path, *SetFromBytes(set.bytes));
    } catch (const Error& e) {
        run_.Ended(false, now);
        log_.Line(now.local, what + path + ": " + e.what() + "; again in " +
                                 std::to_string(schedule::RetryDelayMs(run_.Failures()) / 1000) +
                                 " s");
        return;
    }
    ++saved_;
    run_.Ended(true, now);
    log_.Line(now.local, what + "saved " + name);
}

void ScheduleRunner::Upload(const schedule::MadeSet& set, const Moment& now) {
    ScheduleLine line;
    try {
        line = ResolveScheduleLine(schedule_.line, options_.port);
    } catch (const Error& e) {
        sending_ = set;
        Failed(e.what(), now);
        return;
    }
    sending_ = set;
    sendingSet_ = SetFromBytes(set.bytes);
    owner_ = std::make_unique<Owner>(*this);
    comm_ = std::make_unique<TVSSComm32>();
    AimAtPort(*comm_, line);
    SetDisplayUnitLine(*comm_);
    upload_ = std::make_unique<TDeviceUpload>(*sendingSet_, *comm_, *owner_);
    upload_->SetSendTimeoutInterval(line.settings.SendTimeoutInterval);
    try {
        upload_->StartUpload();
    } catch (const ECommsError& e) {
        Failed(comm_->DeviceName() + ": " + e.what(), now);
    }
}

void ScheduleRunner::Failed(const std::string& what, const Moment& now) {
    upload_.reset();
    comm_.reset();
    owner_.reset();
    sendingSet_.reset();
    run_.Ended(false, now);
    log_.Line(now.local, schedule::EntryLabel(schedule_, sending_->entry) + ", " +
                             FramesText(FramesOf(sending_->bytes)) + ": " + what + "; again in " +
                             std::to_string(schedule::RetryDelayMs(run_.Failures()) / 1000) + " s");
}

void ScheduleRunner::Finish(UploadOutcome outcome, const std::string& status) {
    const Moment now = clock_.Now();
    if (outcome != UploadOutcome::Completed && !stopping_) {
        Failed(status, now);
    } else {
        upload_.reset();
        comm_.reset();
        owner_.reset();
        sendingSet_.reset();
        run_.Ended(outcome == UploadOutcome::Completed, now);
        log_.Line(now.local, schedule::EntryLabel(schedule_, sending_->entry) + ", " +
                                 FramesText(FramesOf(sending_->bytes)) + ": " + status);
    }
    if (stopping_) {
        log_.Line(now.local, "stopped");
        QCoreApplication::exit(kExitOk);
        return;
    }
    StartDue(now);
    Arm();
}

void ScheduleRunner::Arm() {
    if (stopping_) {
        return;
    }
    std::int64_t wait = kLookEveryMs;
    if (const std::optional<schedule::LocalSeconds> next = run_.NextLocalEvent()) {
        wait = std::min(wait, clock_.MsUntil(*next));
    }
    if (const std::optional<std::int64_t> retry = run_.RetryAtMs()) {
        wait = std::min(wait, clock_.RealMs(*retry - clock_.Now().steadyMs));
    }
    timer_.start(static_cast<int>(std::clamp<std::int64_t>(wait, 5, kLookEveryMs)));
}

void ScheduleRunner::Stop() {
    if (stopping_) {
        return;
    }
    stopping_ = true;
    timer_.stop();
    if (upload_) {
        // The editor's button: the upload ends at once with the port closed, and Finish ends
        // the run.
        if (upload_->State().UploadActive) {
            upload_->AbortUpload();
        }
        return;
    }
    log_.Line(clock_.Now().local, "stopped");
    QCoreApplication::exit(kExitOk);
}

}  // namespace kadr::cli
