#include "editor/window/autosave.h"

#include <QDateTime>
#include <QGuiApplication>

#include "editor/window/main_window.h"
#include "frameset/recovery_copy.h"

namespace kadr::editor {

Autosave::Autosave(TfmMain& window, RecoveryStore& store)
    : window_(window),
      seen_(std::make_unique<FrameSet>(window.Doc().Set())),
      writer_([&store](const std::vector<std::uint8_t>& bytes) { return store.WriteOwn(bytes); },
              [&store] { store.RemoveOwn(); }) {
    timer_.setInterval(kPollMs);
    connect(&timer_, &QTimer::timeout, this, &Autosave::Poll);
    if (store.Usable()) {
        timer_.start();
    }
}

Autosave::~Autosave() {
    timer_.stop();
    writer_.Remove();
}

void Autosave::Poll() {
    const FrameSet& set = window_.Doc().Set();
    const bool changed = !SameDocument(*seen_, set);
    if (changed) {
        *seen_ = set;
    }
    const bool dragging = QGuiApplication::mouseButtons() != Qt::NoButton;
    switch (schedule_.Poll(AutosaveSchedule::Clock::now(), window_.HasUnsavedChanges(), changed,
                           dragging)) {
        case AutosaveSchedule::Action::Write:
            writer_.Submit(EncodeRecoveryCopy(set, QDateTime::currentMSecsSinceEpoch()));
            break;
        case AutosaveSchedule::Action::Discard:
            writer_.Remove();
            break;
        case AutosaveSchedule::Action::None:
            break;
    }
}

void Autosave::WriteNow() {
    const FrameSet& set = window_.Doc().Set();
    *seen_ = set;
    schedule_.WrittenNow();
    writer_.Submit(EncodeRecoveryCopy(set, QDateTime::currentMSecsSinceEpoch()));
}

}  // namespace kadr::editor
