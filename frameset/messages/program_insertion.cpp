#include "frameset/messages/program_insertion.h"

namespace kadr::messages {

ProgramPlan CheckProgram(const Document& document, const Program& program, FontSource& fonts) {
    return PlanProgram(program, fonts, document.Set().SpeedAnim, document.Set().FrameCount());
}

ProgramInsertion InsertProgram(Document& document, const Program& program, FontSource& fonts) {
    ProgramInsertion result;
    result.plan = CheckProgram(document, program, fonts);
    if (result.plan.refusal != Refusal::None) {
        result.edit = {EditStatus::Unchanged, Redraw::None};
        return result;
    }
    result.edit = document.InsertFramesAfterCurrent(ProgramFrames(result.plan));
    if (!result.edit.Applied()) {
        result.plan.refusal = Refusal::TooLong;
        return result;
    }
    result.firstFrame = document.Set().CurFrame;
    const FrameSet& set = document.Set();
    if (set.SpeedAnim != result.plan.speedAnim) {
        document.SetPlaybackSettings(result.plan.speedAnim, set.SpeedRow, set.OrientationFlag);
    }
    return result;
}

}  // namespace kadr::messages
