#pragma once

#include <QWidget>

class QLabel;

namespace kadr::editor {

// A label whose text leaves a run of blanks for a control that sits in it, as in
// "Скорость анимации [box] кадров/с": one text, so it reads as one phrase. The run is at least
// the given number of blanks, longer where the control would not fit into it.
class GapLabel : public QWidget {
    Q_OBJECT

  public:
    GapLabel(const QString& before, int blanks, const QString& after, QWidget* control,
             QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The blanks the text leaves for the control now, with the label's font and the control's
    // style.
    int Blanks() const;

  protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void FitText();

    QLabel* label_;
    QWidget* control_;
    QString before_;
    QString after_;
    int blanks_;
    QString gap_;
};

}  // namespace kadr::editor
