#pragma once

#include <QObject>

#include "pictures/message_font_source.h"

namespace kadr::editor {

class TfmMain;

// "Сообщения...": the dialog, then its program after the current frame as one edit. The fonts
// are kept for the whole run, so a desktop font is drawn once.
class MessagesCommand : public QObject {
    Q_OBJECT

  public:
    explicit MessagesCommand(TfmMain& window);

    void acMessagesExecute();

  private:
    TfmMain& window_;
    MessageFontSource fonts_;
};

}  // namespace kadr::editor
