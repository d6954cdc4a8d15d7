#pragma once

#include <QWidget>

#include "frameset/playback/led_image.h"
#include "frameset/playback/timeline.h"

namespace kadr::editor {

// The display unit's face: round LEDs, lit or unlit, on a dark panel, with the gap between the
// two module rows. Laid out like the pictures `kadr render` writes.
class LedPanel : public QWidget {
    Q_OBJECT

  public:
    explicit LedPanel(QWidget* parent = nullptr);

    void SetPicture(const playback::Picture& picture);
    const playback::Picture& Picture() const { return picture_; }
    void SetLedSize(int pixels);
    int LedSize() const { return geometry_.ledSize; }
    void SetColour(playback::LedColour colour);
    playback::LedColour Colour() const { return colour_; }
    // The centre of an LED in the widget's pixels.
    QPoint LedCentre(int column, int row) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    playback::Picture picture_;
    playback::PanelGeometry geometry_{12};
    playback::LedColour colour_ = playback::LedColour::Red;
};

}  // namespace kadr::editor
