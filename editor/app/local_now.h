#pragma once

#include "frameset/schedule/local_time.h"

namespace kadr::editor {

// The computer's local wall-clock time now, as the live fields and the schedule read it.
kadr::schedule::LocalSeconds LocalNow();

}  // namespace kadr::editor
