#pragma once

#include <QSpinBox>

namespace kadr::editor {

// A speed in 1..50, typed freely like a desktop spin edit: while the user types, any whole
// number stands in the box (75, 0, or nothing) and counts as typed. Enter brings a value above
// the maximum down to it; leaving the box brings every value into range.
class SpeedBox : public QSpinBox {
    Q_OBJECT

  public:
    explicit SpeedBox(QWidget* parent = nullptr);

    // The number in the box as the user left it, not yet clamped; text that is no whole number
    // counts as the minimum.
    int TypedValue() const;
    // Takes the typed number as the box's value, brought into 1..50, as leaving the box does.
    void Commit();

  signals:
    // The user changed the text in the box, before it counts as the box's value.
    void TextTyped();

  protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void seSpeedAnimKeyDown(QKeyEvent& event);
};

}  // namespace kadr::editor
