#include "program_file/show_sets.h"

#include <algorithm>
#include <cctype>

#include "frameset/frame_codec.h"
#include "frameset/frame_set_files.h"
#include "frameset/messages/live_fields.h"
#include "frameset/path_parts.h"
#include "frameset/playback/timeline.h"
#include "program_file/field_lines.h"
#include "program_file/program_file.h"
#include "program_file/schedule_file.h"

namespace kadr::schedule {
namespace {

std::unique_ptr<FrameSet> DarkSet() {
    auto set = std::make_unique<FrameSet>();
    set->LastFrame = 0;
    set->Frames[0] = playback::AnimationFrameOf(playback::Picture{});
    return set;
}

ShowSet ReadSetFile(const std::string& path) {
    ShowSet made;
    made.files.push_back(path);
    auto set = std::make_unique<FrameSet>();
    try {
        const ReadReport report = ReadFrameSetFile(path, *set);
        if (!report.complete) {
            made.error = path + ": the module file " + report.missingFile + " is missing";
            return made;
        }
    } catch (const Error& e) {
        made.error = path + ": " + e.what();
        return made;
    }
    if (set->FrameCount() == 0) {
        made.error = path + ": holds no frame";
        return made;
    }
    made.set = std::move(set);
    return made;
}

ShowSet MakeProgram(const std::string& path, const Schedule& schedule, LocalSeconds now,
                    messages::FontSource& fonts) {
    ShowSet made;
    made.files.push_back(path);
    messages::Program program;
    try {
        program = messages::ReadProgramFile(path);
    } catch (const Error& e) {
        made.error = path + ": " + e.what();
        return made;
    }
    const std::string folder = FolderPart(path);
    const messages::FieldUse use = messages::ProgramFieldUse(program);
    made.clock = use.clock;
    for (const std::string& file : use.files) {
        made.files.push_back(messages::FieldFilePath(folder, file));
    }
    const messages::FilledProgram filled =
        messages::FillProgramFields(program, {now, messages::FieldLinesIn(folder)});
    if (filled.failedMessage >= 0) {
        made.error = path + ": messages[" + std::to_string(filled.failedMessage) +
                     "].text: " + messages::FieldErrorText(filled.error);
        return made;
    }
    const messages::ProgramPlan plan =
        messages::PlanProgram(filled.program, fonts, kDefaultProgramSpeedAnim, 0);
    if (plan.refusal != messages::Refusal::None) {
        made.error = path + ": " + messages::ProgramRefusalText(plan, filled.program, true);
        return made;
    }
    const std::vector<Frame> frames = messages::ProgramFrames(plan);
    auto set = std::make_unique<FrameSet>();
    std::copy(frames.begin(), frames.end(), set->Frames.begin());
    set->LastFrame = static_cast<int>(frames.size()) - 1;
    set->SetSpeedAnim(plan.speedAnim);
    set->SetSpeedRow(schedule.speedRow);
    set->SetOrientation(schedule.orientation);
    made.set = std::move(set);
    return made;
}

}  // namespace

bool IsProgramShow(const std::string& path) {
    std::string extension = ExtensionPart(path);
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension == ".json";
}

ShowSet MakeShowSet(const std::optional<std::string>& path, const Schedule& schedule,
                    LocalSeconds now, messages::FontSource& fonts) {
    if (!path) {
        return {DarkSet(), {}, false, {}};
    }
    return IsProgramShow(*path) ? MakeProgram(*path, schedule, now, fonts) : ReadSetFile(*path);
}

std::optional<std::string> EntryShowPath(const std::string& schedulePath, const Schedule& schedule,
                                         int entry) {
    const std::optional<std::string> show =
        entry >= 0 ? std::optional(schedule.entries[static_cast<std::size_t>(entry)].show)
                   : schedule.defaultShow;
    if (!show) {
        return std::nullopt;
    }
    return ShowPath(schedulePath, *show);
}

std::string EntryLabel(const Schedule& schedule, int entry) {
    if (entry >= 0) {
        // A set made before the schedule was read again may name an entry it no longer has.
        const std::string name = "entries[" + std::to_string(entry) + "]";
        return entry < static_cast<int>(schedule.entries.size())
                   ? name + " " + schedule.entries[static_cast<std::size_t>(entry)].show
                   : name;
    }
    return schedule.defaultShow ? "default " + *schedule.defaultShow : "default (dark)";
}

std::vector<std::uint8_t> SetBytes(const FrameSet& set) {
    const Header header = EncodeHeader(set);
    std::vector<std::uint8_t> bytes(header.begin(), header.end());
    for (int f = 0; f < set.FrameCount(); ++f) {
        const FrameRecord record = EncodeFrame(set.Frames[static_cast<std::size_t>(f)]);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

}  // namespace kadr::schedule

namespace kadr::messages {

std::string ProgramRefusalText(const ProgramPlan& plan, const Program& program, bool named) {
    const int index = plan.refusedMessage;
    const std::string which =
        named && index >= 0 ? "messages[" + std::to_string(index) + "]: " : std::string();
    switch (plan.refusal) {
        case Refusal::None:
            break;
        case Refusal::NoMessages:
            return "the program has no messages";
        case Refusal::NoFont:
            return which + "no font named '" +
                   program.messages[static_cast<std::size_t>(index)].font + "' is installed";
        case Refusal::EmptyText:
            return which + "the text is empty";
        case Refusal::TooWide:
            return which + "the still text is " +
                   std::to_string(plan.messages[static_cast<std::size_t>(index)].Width()) +
                   " columns wide, the display " + std::to_string(kColumns) +
                   ": shorten it or show it as a running line (--show line)";
        case Refusal::TooLong:
            return "the messages need " + std::to_string(plan.added) + " frames, only " +
                   std::to_string(plan.freeFrames) + " of " + std::to_string(kMaxFrames) +
                   " are free";
    }
    return {};
}

}  // namespace kadr::messages
