#pragma once

#include <memory>
#include <optional>
#include <string>

#include <QTimer>

#include "cli/file_watch.h"
#include "cli/local_clock.h"
#include "cli/schedule_line.h"
#include "cli/schedule_log.h"
#include "device/upload.h"
#include "frameset/messages/message_fonts.h"
#include "frameset/schedule/schedule_run.h"

namespace kadr::cli {

class StopSignals;

struct RunOptions {
    std::string schedulePath;
    std::optional<std::string> port;     // --port
    std::optional<std::string> saveDir;  // --save: files instead of uploads
};

// `kadr schedule` at work: the schedule model told the time at every event and once a second
// (for changed files), the sets it asks for made and uploaded through the editor's upload, one
// at a time, the port open only during an upload. Runs the Qt event loop until a stop request,
// which aborts a running upload as the editor's button does.
class ScheduleRunner {
  public:
    ScheduleRunner(RunOptions options, schedule::Schedule schedule, const Clock& clock,
                   messages::FontSource& fonts);
    ~ScheduleRunner();
    ScheduleRunner(const ScheduleRunner&) = delete;
    ScheduleRunner& operator=(const ScheduleRunner&) = delete;

    // The exit status once stopped.
    int Run(StopSignals& stops);

  private:
    class Owner;

    void Tick();
    void ReadScheduleAgain();
    void Make(const schedule::ScheduleRun::Look& look, const schedule::Moment& now);
    void StartDue(const schedule::Moment& now);
    void Save(const schedule::MadeSet& set, const schedule::Moment& now);
    void Upload(const schedule::MadeSet& set, const schedule::Moment& now);
    void Finish(UploadOutcome outcome, const std::string& status);
    void Failed(const std::string& what, const schedule::Moment& now);
    void Arm();
    void Stop();

    RunOptions options_;
    schedule::Schedule schedule_;
    const Clock& clock_;
    messages::FontSource& fonts_;
    ScheduleLog log_;
    schedule::ScheduleRun run_;
    FileWatch scheduleWatch_;
    FileWatch showWatch_;
    QTimer timer_;
    int saved_ = 0;
    std::string lastError_;
    bool stopping_ = false;

    // The upload under way: its set, its port and what it shows.
    std::optional<schedule::MadeSet> sending_;
    std::unique_ptr<FrameSet> sendingSet_;
    std::unique_ptr<Owner> owner_;
    std::unique_ptr<TVSSComm32> comm_;
    std::unique_ptr<TDeviceUpload> upload_;
};

// "1 frame", "12 frames".
std::string FramesText(int frames);

// A display file's bytes as a frame set again.
std::unique_ptr<FrameSet> SetFromBytes(const std::vector<std::uint8_t>& bytes);

}  // namespace kadr::cli
