#pragma once

#include <chrono>
#include <functional>

namespace kadr::testing {

// Runs the Qt event loop of this thread until done() holds or the limit passes; returns done().
bool RunEventsUntil(const std::function<bool()>& done,
                    std::chrono::milliseconds limit = std::chrono::seconds(20));
// Runs the event loop for a while.
void RunEventsFor(std::chrono::milliseconds time);

}  // namespace kadr::testing
