#pragma once

#include <functional>

#include <QTimer>
#include <QWidget>

#include "editor/app/form_storage.h"
#include "frameset/document.h"
#include "frameset/playback/playback_clock.h"
#include "frameset/playback/playback_input.h"
#include "frameset/playback/timeline.h"

class QComboBox;
class QLabel;
class QListWidget;
class QSettings;
class QSlider;
class QSpinBox;
class QToolButton;

namespace kadr::editor {

class LedPanel;

// The "Просмотр" window: plays the document as the display unit will, alongside the editor.
// It follows the document's change notification and rebuilds its timeline when anything that
// plays has changed, so every edit, speed, kind, undo step or file read shows at once. The steps
// follow a steady clock (PlaybackClock); the step timer runs only while a step is to come, so a
// paused or hidden window wakes for nothing.
class TfmPreview : public QWidget {
    Q_OBJECT

  public:
    using Clock = std::function<playback::PlaybackClock::Time()>;

    TfmPreview(const Document& document, QWidget* parent);
    ~TfmPreview() override;

    // Shows the window (or brings it to the front) and plays from the first step of `frame`.
    void Open(int frame);

    void PlayPause();
    void StepBack();
    void StepForward();
    void SeekTo(std::size_t step);
    // Takes in any change of the document, as the window does on every notification.
    void FollowDocument();
    // Shows the step the clock has reached, as the step timer does.
    void Refresh();

    bool Playing() const { return clock_.Playing(); }
    std::size_t CurrentStep() const { return shown_; }
    const playback::Timeline& Timeline() const { return timeline_; }
    // Playback time comes from the steady clock; tests put one of their own in.
    void SetClock(Clock clock) { now_ = std::move(clock); }

    LedPanel* Panel() const { return panel_; }
    QToolButton* btPlay = nullptr;
    QToolButton* btBack = nullptr;
    QToolButton* btForward = nullptr;
    QSlider* slPosition = nullptr;
    QLabel* lbPosition = nullptr;
    QSpinBox* seDotSize = nullptr;
    QComboBox* cbColour = nullptr;
    QListWidget* lbNotes = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void BuildLayout();
    void PlaceBesideParent();
    void ShowNotes();
    void ShowPlayState();
    void Schedule();
    playback::PlaybackClock::Time Now() const { return now_(); }
    void RestoreProperties(QSettings& settings);
    void SaveProperties(QSettings& settings);

    const Document& document_;
    playback::Timeline timeline_;
    playback::Timeline rebuilt_;  // the next timeline, built beside the one playing
    playback::PlaybackInput input_;
    playback::PlaybackClock clock_;
    Clock now_;
    std::size_t shown_ = 0;
    bool restoring_ = false;
    bool placed_ = false;  // a stored or first placement has been given
    QTimer* stepTimer_;
    LedPanel* panel_ = nullptr;
    FormStorage storage_{QStringLiteral("TfmPreview")};
};

}  // namespace kadr::editor
