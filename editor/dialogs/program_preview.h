#pragma once

#include <functional>

#include <QTimer>
#include <QWidget>

#include "frameset/frame_set.h"
#include "frameset/playback/playback_clock.h"
#include "frameset/playback/timeline.h"

class QLabel;

namespace kadr::editor {

class LedPanel;

// The messages dialog's display: plays a frame set over and over as the unit will, with the
// playback model and the LEDs of the "Просмотр" window. A new frame set keeps the step shown.
class ProgramPreview : public QWidget {
    Q_OBJECT

  public:
    using Clock = std::function<playback::PlaybackClock::Time()>;

    explicit ProgramPreview(QWidget* parent = nullptr);

    void SetFrames(const FrameSet& set);
    const playback::Timeline& Timeline() const { return timeline_; }
    std::size_t CurrentStep() const { return shown_; }
    LedPanel* Panel() const { return panel_; }
    // Shows the step the clock has reached.
    void Refresh();
    void SetClock(Clock clock) { now_ = std::move(clock); }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Schedule();

    playback::Timeline timeline_;
    playback::Timeline rebuilt_;
    playback::PlaybackClock clock_;
    Clock now_;
    std::size_t shown_ = 0;
    QTimer stepTimer_;
    LedPanel* panel_ = nullptr;
    QLabel* position_ = nullptr;
};

}  // namespace kadr::editor
