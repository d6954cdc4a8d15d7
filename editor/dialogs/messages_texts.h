#pragma once

#include <QString>

#include "frameset/messages/live_fields.h"
#include "frameset/messages/message_plan.h"

namespace kadr::editor {

// The words of the messages dialog, apart from its widgets.

// "1. СКИДКИ — прокрутка влево, 2 с, прокрутка вверх" or "2. до 50% — бегущая строка".
QString MessageListText(int index, const kadr::messages::Message& message);

// Each part of a still message in frames and in seconds at `speedAnim`, or a running line's
// frames; or why the message is refused.
QString MessageTimingText(const kadr::messages::MessagePlan& plan,
                          const kadr::messages::Message& message, int speedAnim);

// How time is counted, at `speedAnim` frames a second.
QString SpeedNoteText(int speedAnim);

// The frames the program needs and those free; with the first refusal when there is one.
QString ProgramSummaryText(const kadr::messages::ProgramPlan& plan,
                           const kadr::messages::Program& program);

// Why a live field of message `index` (from 0) cannot be filled in.
QString FieldErrorWords(int index, const kadr::messages::FieldError& error);

}  // namespace kadr::editor
