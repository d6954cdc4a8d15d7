#include "tests/device/event_loop.h"

#include <QEventLoop>
#include <QTimer>

namespace kadr::testing {

bool RunEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    if (done()) {
        return true;
    }
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(2);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (done() || std::chrono::steady_clock::now() >= end) {
            loop.quit();
        }
    });
    tick.start();
    loop.exec();
    return done();
}

void RunEventsFor(std::chrono::milliseconds time) {
    RunEventsUntil([] { return false; }, time);
}

}  // namespace kadr::testing
