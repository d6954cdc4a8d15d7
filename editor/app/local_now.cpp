#include "editor/app/local_now.h"

#include <QDateTime>

namespace kadr::editor {

kadr::schedule::LocalSeconds LocalNow() {
    return LocalSecondsOf(QDateTime::currentDateTime());
}

kadr::schedule::LocalSeconds LocalSecondsOf(const QDateTime& moment) {
    const QDate date = moment.date();
    const QTime time = moment.time();
    return kadr::schedule::FromCivil(
        {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()});
}

}  // namespace kadr::editor
