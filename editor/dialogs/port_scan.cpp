#include "editor/dialogs/port_scan.h"

#include <memory>

#include <QThread>

namespace kadr::editor {

PortScan::PortScan(Lister lister, Listed listed, QObject* parent)
    : QObject(parent), lister_(std::move(lister)), listed_(std::move(listed)) {}

PortScan::~PortScan() {
    if (thread_ != nullptr) {
        thread_->wait();
        delete thread_;
    }
}

void PortScan::Start() {
    if (thread_ != nullptr) {
        again_ = true;
        return;
    }
    auto ports = std::make_shared<std::vector<SystemPort>>();
    thread_ = QThread::create([lister = lister_, ports] {
        try {
            *ports = lister();
        } catch (...) {
            ports->clear();  // nothing listed is all a failed listing can say
        }
    });
    // Queued to this object's thread; dropped with this object, whose destructor ends the thread.
    connect(thread_, &QThread::finished, this, [this, ports] { Finished(std::move(*ports)); });
    thread_->start(QThread::LowPriority);
}

void PortScan::Finished(std::vector<SystemPort> ports) {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    if (again_) {
        again_ = false;
        Start();
    }
    listed_(ports);
}

}  // namespace kadr::editor
