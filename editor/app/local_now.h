#pragma once

#include "frameset/schedule/local_time.h"

class QDateTime;

namespace kadr::editor {

// The computer's local wall-clock time now, as the live fields and the schedule read it.
kadr::schedule::LocalSeconds LocalNow();
// A moment of the local clock, to the second.
kadr::schedule::LocalSeconds LocalSecondsOf(const QDateTime& time);

}  // namespace kadr::editor
