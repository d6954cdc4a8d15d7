#pragma once

#include <string>
#include <vector>

#include "frameset/frame_set.h"
#include "frameset/messages/effects.h"
#include "frameset/messages/message.h"
#include "frameset/messages/message_fonts.h"
#include "frameset/text/text_renderer.h"

namespace kadr::messages {

// Why a message or a program cannot go into the frame set.
enum class Refusal {
    None,
    NoMessages,  // a program without a message
    NoFont,      // no font has the message's font name
    EmptyText,
    TooWide,  // a still text wider than the display's 28 columns
    TooLong,  // the set would pass its 256 frames
};

// Animation frames are shown at the set's one animation speed, so time is counted in them: R
// held for `seconds` is max(1, round(seconds x speed)) frames.
int HoldFrames(double seconds, int speedAnim);

// One message made ready: its text drawn and, for a still text, its rest picture R with the
// pictures of its entry and exit. Frames are only made when it is inserted.
struct MessagePlan {
    Refusal refusal = Refusal::None;
    Show show = Show::Still;
    text::RenderedText rendered;
    RestPicture rest;
    std::vector<Picture> entry;
    std::vector<Picture> exit;
    int hold = 0;   // copies of R
    int blink = 0;  // R and a dark picture alternate, this many frames each; 0 = steady

    int Width() const { return rendered.picture.width; }
    // Entry, hold and exit; for a running line its start, line and end frames.
    int FrameCount() const;
    // The seconds each part lasts at `speedAnim` frames a second.
    double EntrySeconds(int speedAnim) const;
    double HoldSeconds(int speedAnim) const;
    double ExitSeconds(int speedAnim) const;
};

MessagePlan PlanMessage(const Message& message, const text::TextFont& font, int speedAnim);

// The frames of a planned message, appended to `frames`; nothing for a refused one.
void AppendMessageFrames(const MessagePlan& plan, std::vector<Frame>& frames);

struct ProgramPlan {
    Refusal refusal = Refusal::None;
    int refusedMessage = -1;  // the first message refused, from 0; -1 for the whole program
    int speedAnim = kMinSpeed;
    std::vector<MessagePlan> messages;
    int added = 0;       // frames the messages not refused take
    int freeFrames = 0;  // frames the set has room for
};

// Plans every message at the program's speed (else `speedAnim`) for a set with `framesInUse`
// frames. A refused message is reported and the others still counted, so that a dialog can
// show what the rest would take.
ProgramPlan PlanProgram(const Program& program, FontSource& fonts, int speedAnim, int framesInUse);

// Every frame of a program that was not refused, message after message.
std::vector<Frame> ProgramFrames(const ProgramPlan& plan);
// The frames of the messages that were not refused, at most `limit`: what a preview can play
// of a program that cannot go in as it is.
std::vector<Frame> PlannedFrames(const ProgramPlan& plan, int limit);

// The widest text of the program, and each character its fonts lack, once, in the order met.
int WidestText(const ProgramPlan& plan);
std::u32string MissingCharacters(const ProgramPlan& plan);

}  // namespace kadr::messages
