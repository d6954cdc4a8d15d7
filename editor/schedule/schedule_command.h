#pragma once

#include <QObject>

#include "editor/schedule/schedule_process.h"
#include "pictures/message_font_source.h"

namespace kadr::editor {

class TfmMain;

// "Параметры" -> "Расписание...": the dialog; the schedule it starts runs on while the editor
// does, and stops with it.
class ScheduleCommand : public QObject {
    Q_OBJECT

  public:
    explicit ScheduleCommand(TfmMain& window);

    void acScheduleExecute();
    ScheduleProcess& Process() { return process_; }

  private:
    TfmMain& window_;
    MessageFontSource fonts_;
    ScheduleProcess process_;
};

}  // namespace kadr::editor
