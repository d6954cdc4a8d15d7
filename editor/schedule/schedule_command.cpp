#include "editor/schedule/schedule_command.h"

#include <QAction>

#include "editor/app/error_box.h"
#include "editor/schedule/schedule_dialog.h"
#include "editor/window/main_window.h"

namespace kadr::editor {

ScheduleCommand::ScheduleCommand(TfmMain& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("ScheduleCommand"));
    connect(window.Command(QStringLiteral("acSchedule")), &QAction::triggered, this,
            [this] { RunCommand([this] { acScheduleExecute(); }); });
}

void ScheduleCommand::acScheduleExecute() {
    TfmSchedule dialog(process_, fonts_, &window_);
    dialog.exec();
}

}  // namespace kadr::editor
