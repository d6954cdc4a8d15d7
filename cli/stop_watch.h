#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "cli/stop_signals.h"

namespace kadr::cli {

// Calls `onStop` from the Qt event loop of the calling thread for every stop request that
// arrives while the returned watcher lives; the request is taken first.
std::unique_ptr<QObject> WatchStopSignals(StopSignals& stops, std::function<void()> onStop);

}  // namespace kadr::cli
