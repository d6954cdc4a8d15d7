#pragma once

#include "frameset/messages/message.h"

namespace kadr::messages {

// The program being put together in the messages dialog, with the message being edited: what
// the list's buttons do, without any window. Every operation keeps at least one message and
// leaves a valid selection.
class ProgramDraft {
  public:
    // A program without messages gets one of the defaults.
    explicit ProgramDraft(Program program = {});

    const Program& Current() const { return program_; }
    int Count() const { return static_cast<int>(program_.messages.size()); }
    int Selected() const { return selected_; }
    const Message& SelectedMessage() const;
    Message& SelectedMessage();

    void Select(int index);  // brought into range
    // A message of the defaults after the selected one; it becomes selected.
    void Add();
    // A copy of the selected message after it; the copy becomes selected.
    void Duplicate();
    // The selected message goes; its successor (else its predecessor) is selected. The last
    // message is never removed: false then.
    bool Remove();
    // Swap the selected message with its neighbour, the selection following it; false at the
    // ends.
    bool MoveUp();
    bool MoveDown();
    void SetSpeedAnim(int speed);

  private:
    bool Swap(int with);

    Program program_;
    int selected_ = 0;
};

}  // namespace kadr::messages
