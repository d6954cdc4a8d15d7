#pragma once

#include <QDialog>

class QComboBox;
class QSpinBox;

namespace kadr::editor {

// The serial port, the line speed and the reply time-out of the upload.
class TfmParam : public QDialog {
    Q_OBJECT

  public:
    explicit TfmParam(QWidget* parent);

    QComboBox* ComboBox1() const { return port_; }
    QComboBox* ComboBox2() const { return speed_; }
    QSpinBox* SpinEdit1() const { return timeout_; }

  private:
    QComboBox* port_;
    QComboBox* speed_;
    QSpinBox* timeout_;
};

}  // namespace kadr::editor
