#pragma once

#include <QString>

#include "editor/recovery/recovery_store.h"
#include "editor/window/autosave.h"

namespace kadr::editor {

class TfmMain;

// Recovery for one editor window's run: its lock and copies in the recovery folder, and at
// start the question about the work of editors that ended without saving it.
class RecoverySession {
  public:
    explicit RecoverySession(TfmMain& window,
                             const QString& folder = RecoveryStore::DefaultFolder());

    // For each copy of an editor no longer running, newest first: "Да" opens it (after the
    // usual question when the window holds unsaved work) and makes it this editor's copy; "Нет"
    // deletes it. A copy whose opening the user gave up stays for the next start.
    void OfferOrphans();

    RecoveryStore& Store() { return store_; }
    Autosave& Saver() { return autosave_; }

  private:
    TfmMain& window_;
    RecoveryStore store_;
    Autosave autosave_;
};

// The question's text for a copy made at `savedAtMs` of the document named `fileName`.
QString RecoveryQuestion(qint64 savedAtMs, const QString& fileName);

}  // namespace kadr::editor
