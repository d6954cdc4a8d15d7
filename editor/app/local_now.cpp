#include "editor/app/local_now.h"

#include <QDateTime>

namespace kadr::editor {

kadr::schedule::LocalSeconds LocalNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return kadr::schedule::FromCivil(
        {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()});
}

}  // namespace kadr::editor
