#include "frameset/messages/program_draft.h"

#include <algorithm>
#include <utility>

#include "frameset/frame_set.h"

namespace kadr::messages {

ProgramDraft::ProgramDraft(Program program) : program_(std::move(program)) {
    if (program_.messages.empty()) {
        program_.messages.emplace_back();
    }
}

const Message& ProgramDraft::SelectedMessage() const {
    return program_.messages[static_cast<std::size_t>(selected_)];
}

Message& ProgramDraft::SelectedMessage() {
    return program_.messages[static_cast<std::size_t>(selected_)];
}

void ProgramDraft::Select(int index) {
    selected_ = std::clamp(index, 0, Count() - 1);
}

void ProgramDraft::Add() {
    program_.messages.insert(program_.messages.begin() + selected_ + 1, Message{});
    ++selected_;
}

void ProgramDraft::Duplicate() {
    const Message copy = SelectedMessage();
    program_.messages.insert(program_.messages.begin() + selected_ + 1, copy);
    ++selected_;
}

bool ProgramDraft::Remove() {
    if (Count() <= 1) {
        return false;
    }
    program_.messages.erase(program_.messages.begin() + selected_);
    selected_ = std::min(selected_, Count() - 1);
    return true;
}

bool ProgramDraft::Swap(int with) {
    if (with < 0 || with >= Count()) {
        return false;
    }
    std::swap(program_.messages[static_cast<std::size_t>(selected_)],
              program_.messages[static_cast<std::size_t>(with)]);
    selected_ = with;
    return true;
}

bool ProgramDraft::MoveUp() {
    return Swap(selected_ - 1);
}

bool ProgramDraft::MoveDown() {
    return Swap(selected_ + 1);
}

void ProgramDraft::SetSpeedAnim(int speed) {
    program_.speedAnim = ClampSpeed(speed);
}

}  // namespace kadr::messages
