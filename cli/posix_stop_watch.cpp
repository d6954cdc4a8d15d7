#include <QSocketNotifier>

#include "cli/stop_watch.h"

namespace kadr::cli {

std::unique_ptr<QObject> WatchStopSignals(StopSignals& stops, std::function<void()> onStop) {
    auto notifier = std::make_unique<QSocketNotifier>(stops.Native(), QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                     [&stops, onStop = std::move(onStop)] {
                         stops.Take();
                         onStop();
                     });
    return notifier;
}

}  // namespace kadr::cli
