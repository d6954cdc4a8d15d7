#pragma once

#include <functional>
#include <vector>

#include <QObject>

#include "device/port_listing.h"

class QThread;

namespace kadr::editor {

// Lists the serial ports on a thread of its own, so that a window never waits on the system
// (SetupAPI can take its time over a Bluetooth port). One listing at a time: asking again while
// one is under way lists once more after it, so the newest state always arrives. The result is
// handed over on the thread that made the scan.
class PortScan : public QObject {
  public:
    using Lister = std::function<std::vector<SystemPort>()>;
    using Listed = std::function<void(const std::vector<SystemPort>&)>;

    PortScan(Lister lister, Listed listed, QObject* parent = nullptr);
    // Waits for a listing under way: it is short, and it must not outlive what it reports to.
    ~PortScan() override;

    void Start();
    bool Busy() const { return thread_ != nullptr; }
    void SetLister(Lister lister) { lister_ = std::move(lister); }

  private:
    void Finished(std::vector<SystemPort> ports);

    Lister lister_;
    Listed listed_;
    QThread* thread_ = nullptr;
    bool again_ = false;
};

}  // namespace kadr::editor
