#pragma once

#include <QDialog>

class QComboBox;
class QSpinBox;

namespace kadr {
class TDeviceUpload;
class TVSSComm32;
}  // namespace kadr

namespace kadr::editor {

// The serial port, the line speed and the reply time-out of the upload.
class TfmParam : public QDialog {
    Q_OBJECT

  public:
    // Shows and sets the port and speed of `comm` and the reply time-out of `upload`; fills its
    // fields from them once, when it is made.
    TfmParam(QWidget* parent, TVSSComm32* comm = nullptr, TDeviceUpload* upload = nullptr);

    // OK: takes the chosen port and speed (a typed text that names no item changes nothing) and
    // the time-out, 1 to 10 seconds, which applies at once.
    void accept() override;

    QComboBox* ComboBox1() const { return port_; }
    QComboBox* ComboBox2() const { return speed_; }
    QSpinBox* SpinEdit1() const { return timeout_; }

  private:
    void FormCreate();
    void BitBtn1Click();

    TVSSComm32* comm_;
    TDeviceUpload* upload_;
    QComboBox* port_;
    QComboBox* speed_;
    QSpinBox* timeout_;
};

}  // namespace kadr::editor
