#pragma once

#include <memory>
#include <string>
#include <vector>

#include "frameset/frame_set.h"
#include "frameset/messages/message_plan.h"
#include "frameset/schedule/schedule.h"

namespace kadr::schedule {

// What a schedule shows, made into the frame set the unit receives: a display file or module
// file set as it is, a program of messages made afresh with its fields filled at `now`, or for
// no show a dark display (one blank animation frame).
struct ShowSet {
    std::unique_ptr<FrameSet> set;   // null when it could not be made
    std::string error;               // why not, naming the file and the field
    bool clock = false;              // shows {time}, {date} or {weekday}
    std::vector<std::string> files;  // the files it was made of, to watch for changes
};

// `show` as the schedule names it; `path` the file it stands for (ShowPath). A program is
// played at its own animation speed (10 frames a second when it gives none) and at the
// schedule's running-line speed and orientation.
ShowSet MakeShowSet(const std::optional<std::string>& path, const Schedule& schedule,
                    LocalSeconds now, messages::FontSource& fonts);

// The file an entry (or kDefault) shows, named relative to the schedule file's folder; none
// for a dark display.
std::optional<std::string> EntryShowPath(const std::string& schedulePath, const Schedule& schedule,
                                         int entry);
// How the log and --check name an entry: "entries[1] evening.json", "default (dark)".
std::string EntryLabel(const Schedule& schedule, int entry);

// The display file bytes of a set: what the unit receives, and what tells two sets apart.
std::vector<std::uint8_t> SetBytes(const FrameSet& set);
// Whether a show is a program of messages (a .json file) rather than a frame set file.
bool IsProgramShow(const std::string& path);

}  // namespace kadr::schedule

namespace kadr::messages {

// Why a program cannot go into a frame set, in the words `kadr` prints: "messages[0]: the still
// text is 40 columns wide, ...". `named` puts the message's path in front.
std::string ProgramRefusalText(const ProgramPlan& plan, const Program& program, bool named);

}  // namespace kadr::messages
