#pragma once

#include <string>
#include <vector>

#include <QDialog>

#include "device/port_choices.h"
#include "editor/dialogs/port_scan.h"

class QComboBox;
class QLabel;
class QSpinBox;
class QTimer;

namespace kadr {
class TDeviceUpload;
class TVSSComm32;
}  // namespace kadr

namespace kadr::editor {

// The serial port, the line speed and the reply time-out of the upload. The port box lists
// "Com1".."Com4" and every other port the system has, with their descriptions, refreshed while
// the dialog is open (the listing runs off the window's thread).
class TfmParam : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kRefreshMs = 1000;

    // Shows and sets the port and speed of `comm` and the reply time-out of `upload`; fills its
    // fields from them once, when it is made.
    TfmParam(QWidget* parent, TVSSComm32* comm = nullptr, TDeviceUpload* upload = nullptr,
             PortScan::Lister lister = ListSystemPorts);

    // OK: takes the chosen port and speed (a typed text that names no item changes nothing) and
    // the time-out, 1 to 10 seconds, which applies at once.
    void accept() override;

    QComboBox* ComboBox1() const { return port_; }
    QComboBox* ComboBox2() const { return speed_; }
    QSpinBox* SpinEdit1() const { return timeout_; }
    // The line under the boxes that says why another port than the stored one is chosen.
    QLabel* PortNote() const { return note_; }
    // What lists the ports, such as a test's stand-in for the system.
    void SetPortLister(PortScan::Lister lister) { scan_.SetLister(std::move(lister)); }
    // Lists the ports now (off this thread), as the dialog does while it is shown.
    void RefreshPorts() { scan_.Start(); }
    int Listings() const { return listings_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void FormCreate();
    void BitBtn1Click();
    void PortsListed(const std::vector<SystemPort>& ports);
    void ShowItems(std::vector<PortItem> items);
    void OfferLonePort();

    TVSSComm32* comm_;
    TDeviceUpload* upload_;
    QComboBox* port_;
    QComboBox* speed_;
    QSpinBox* timeout_;
    QLabel* note_;
    QTimer* refresh_;
    PortScan scan_;
    std::vector<SystemPort> present_;
    std::vector<PortItem> items_;
    bool listed_ = false;     // items_ know which ports are there
    bool offerLone_ = false;  // the first listing of this showing may offer the lone port
    int listings_ = 0;
};

}  // namespace kadr::editor
