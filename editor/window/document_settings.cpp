// The speeds and the orientation: held by the boxes of the bottom panel, committed to the
// document as they change, and the changes the undo history does not record.
#include <QRadioButton>

#include "editor/strip/frame_strip.h"
#include "editor/window/main_window.h"
#include "editor/window/speed_box.h"

namespace kadr::editor {

void TfmMain::ShowDocumentSettings() {
    const FrameSet& set = document_.Set();
    showingSettings_ = true;
    bottom_.seSpeedAnim->setValue(set.SpeedAnim);
    bottom_.seSpeedRow->setValue(set.SpeedRow);
    (set.OrientationFlag == 0 ? bottom_.rbFlag0 : bottom_.rbFlag1)->setChecked(true);
    showingSettings_ = false;
}

void TfmMain::CommitDocumentSettings() {
    bottom_.seSpeedAnim->Commit();
    bottom_.seSpeedRow->Commit();
    SyncDocumentSettings();
}

void TfmMain::SyncDocumentSettings() {
    document_.SetPlaybackSettings(bottom_.seSpeedAnim->value(), bottom_.seSpeedRow->value(),
                                  bottom_.rbFlag1->isChecked() ? 1 : 0);
}

void TfmMain::TrackUnrecordedChanges() {
    // The settings reach the document as soon as they are committed, so that a handshake sent
    // again during an upload carries them; a dot, a speed or the orientation leave no undo step
    // but still make the document differ from its file.
    const auto changed = [this] {
        if (!showingSettings_) {
            SyncDocumentSettings();
            unrecordedChanges_ = true;
        }
    };
    connect(bottom_.seSpeedAnim, &QSpinBox::valueChanged, this, changed);
    connect(bottom_.seSpeedRow, &QSpinBox::valueChanged, this, changed);
    // A speed being typed plays at its new pace (in the preview) before the box is left.
    const auto typed = [this] {
        if (!showingSettings_) {
            document_.SetPlaybackSettings(bottom_.seSpeedAnim->TypedValue(),
                                          bottom_.seSpeedRow->TypedValue(),
                                          document_.Set().OrientationFlag);
            unrecordedChanges_ = true;
        }
    };
    connect(bottom_.seSpeedAnim, &SpeedBox::TextTyped, this, typed);
    connect(bottom_.seSpeedRow, &SpeedBox::TextTyped, this, typed);
    connect(bottom_.rbFlag1, &QRadioButton::toggled, this, changed);
    connect(strip_, &FrameStrip::DotToggled, this, [this] { unrecordedChanges_ = true; });
}

bool TfmMain::HasUnsavedChanges() const {
    return document_.Modified() || unrecordedChanges_;
}

}  // namespace kadr::editor
