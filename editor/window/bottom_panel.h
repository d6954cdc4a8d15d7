#pragma once

class QRadioButton;
class QToolButton;
class QWidget;

namespace kadr::editor {

class SpeedBox;

// The band under the strip: the two speeds, the orientation pair and the upload button.
struct BottomPanel {
    QWidget* Panel2;
    SpeedBox* seSpeedAnim;
    SpeedBox* seSpeedRow;
    QRadioButton* rbFlag0;
    QRadioButton* rbFlag1;
    QToolButton* RxSpeedButton1;
};

BottomPanel CreateBottomPanel(QWidget* parent);

}  // namespace kadr::editor
