#pragma once

#include <memory>

#include <QObject>
#include <QTimer>

#include "editor/recovery/autosave_schedule.h"
#include "editor/recovery/recovery_store.h"
#include "editor/recovery/recovery_writer.h"
#include "frameset/frame_set.h"

namespace kadr::editor {

class TfmMain;

// Keeps the recovery copy of the window's document: looks at the document twice a second and
// lets the schedule decide. Looking costs one comparison of the frames in use (and a copy of
// them when they changed); making a copy costs its encoding, handed to the writer's thread.
// Every change is seen this way, whether the undo history records it or not (dots, speeds,
// orientation), without the window telling anything.
class Autosave : public QObject {
  public:
    static constexpr int kPollMs = 500;

    Autosave(TfmMain& window, RecoveryStore& store);
    // A normal end: the copy goes. After a crash or a kill this never runs and the copy stays.
    ~Autosave() override;

    void Poll();
    // Writes the copy at once (a recovered document becomes this editor's own).
    void WriteNow();
    // Waits until the writer has done what it was given.
    void Flush() { writer_.Flush(); }
    const RecoveryWriter& Writer() const { return writer_; }

  private:
    TfmMain& window_;
    AutosaveSchedule schedule_;
    std::unique_ptr<FrameSet> seen_;
    RecoveryWriter writer_;
    QTimer timer_;
};

}  // namespace kadr::editor
