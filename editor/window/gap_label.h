#pragma once

#include <QWidget>

class QLabel;

namespace kadr::editor {

// A label whose text leaves a run of blanks for a control that sits in it, as in
// "Скорость анимации [box] кадров/с": one text, so it reads as one phrase.
class GapLabel : public QWidget {
    Q_OBJECT

  public:
    GapLabel(const QString& before, int blanks, const QString& after, QWidget* control,
             QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QLabel* label_;
    QWidget* control_;
    QString before_;
    QString gap_;
};

}  // namespace kadr::editor
