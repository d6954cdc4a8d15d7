#pragma once

#include <vector>

#include <QDialog>

#include "frameset/picture_dots.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace kadr::editor {

class DotsPreview;

// "Импорт изображения": how a picture becomes dots, with the frames it gives shown as the choices
// change. The pictures are read (into their grey cells) before the dialog opens; a choice only
// thresholds those cells again. OK is refused, with the reason shown, while the frames would not
// fit into the `freeFrames` the set has left.
class TfmImport : public QDialog {
    Q_OBJECT

  public:
    TfmImport(std::vector<PictureCells> pictures, int freeFrames, QWidget* parent);

    PictureToDots Options() const;
    // The frames the current choices give.
    const std::vector<Frame>& Frames() const { return frames_; }

    QSlider* Threshold() const { return threshold_; }
    QRadioButton* Fit() const { return fit_; }
    QRadioButton* Crop() const { return crop_; }
    QCheckBox* Dither() const { return dither_; }
    QCheckBox* Invert() const { return invert_; }
    QCheckBox* RunningLine() const { return line_; }
    QPushButton* OkButton() const { return ok_; }
    QLabel* Summary() const { return count_; }

  private:
    void Update();

    std::vector<PictureCells> pictures_;
    int freeFrames_;
    std::vector<Frame> frames_;
    QRadioButton* fit_;
    QRadioButton* crop_;
    QSlider* threshold_;
    QLabel* thresholdValue_;
    QCheckBox* dither_;
    QCheckBox* invert_;
    QCheckBox* line_;
    QLabel* count_;
    DotsPreview* preview_;
    QPushButton* ok_;
};

}  // namespace kadr::editor
