#pragma once

#include "frameset/document.h"
#include "frameset/messages/message_plan.h"

namespace kadr::messages {

struct ProgramInsertion {
    ProgramPlan plan;
    EditResult edit;
    int firstFrame = -1;  // the program's first frame, once inserted
};

// What InsertProgram would answer, without changing anything.
ProgramPlan CheckProgram(const Document& document, const Program& program, FontSource& fonts);

// Puts the program's frames after the current frame (at the end when there is none) as one undo
// step, its first frame becoming current, and sets the set's animation speed to the program's
// when it gives one. A refusal changes nothing, the speed included.
ProgramInsertion InsertProgram(Document& document, const Program& program, FontSource& fonts);

}  // namespace kadr::messages
