#include "editor/window/messages_command.h"

#include <QAction>

#include "editor/app/error_box.h"
#include "editor/dialogs/messages_dialog.h"
#include "editor/dialogs/messages_texts.h"
#include "editor/window/main_window.h"
#include "frameset/messages/program_insertion.h"

namespace kadr::editor {

MessagesCommand::MessagesCommand(TfmMain& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("MessagesCommand"));
    connect(window.Command(QStringLiteral("acMessages")), &QAction::triggered, this,
            [this] { RunCommand([this] { acMessagesExecute(); }); });
}

void MessagesCommand::acMessagesExecute() {
    MessagesDialog dialog(window_.Doc(), fonts_, &window_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const kadr::messages::FilledProgram filled = dialog.FilledProgram();
    if (filled.failedMessage >= 0) {
        // The dialog refuses this before OK; a file may have gone since.
        ShowErrorBox(FieldErrorWords(filled.failedMessage, filled.error));
        return;
    }
    const kadr::messages::Program& program = filled.program;
    const int speedBefore = window_.Doc().Set().SpeedAnim;
    kadr::messages::ProgramInsertion done;
    window_.PerformEdit([&](Document& document) {
        done = kadr::messages::InsertProgram(document, program, fonts_);
        return done.edit;
    });
    if (done.plan.refusal != kadr::messages::Refusal::None) {
        // The dialog refuses this before OK; nothing may pass the 256 frames even so.
        ShowErrorBox(ProgramSummaryText(done.plan, program));
    } else if (window_.Doc().Set().SpeedAnim != speedBefore) {
        window_.ShowDocumentSettings();
    }
}

}  // namespace kadr::editor
