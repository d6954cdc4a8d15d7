#include <QWinEventNotifier>

#include "cli/stop_watch.h"

namespace kadr::cli {

std::unique_ptr<QObject> WatchStopSignals(StopSignals& stops, std::function<void()> onStop) {
    auto notifier = std::make_unique<QWinEventNotifier>(stops.Native());
    QObject::connect(notifier.get(), &QWinEventNotifier::activated, notifier.get(),
                     [&stops, onStop = std::move(onStop)] {
                         stops.Take();  // the event is manual-reset
                         onStop();
                     });
    return notifier;
}

}  // namespace kadr::cli
