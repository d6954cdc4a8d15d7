// The text tool's command: the dialog shows the line, the document takes it as one edit.
#include "editor/app/error_box.h"
#include "editor/dialogs/text_line_dialog.h"
#include "editor/window/main_window.h"
#include "frameset/text/running_line.h"

namespace kadr::editor {

void TfmMain::acTextLineExecute() {
    TextLineDialog dialog(document_, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const kadr::text::LineInsertion line =
        kadr::text::InsertRunningLine(document_, dialog.Rendered());
    if (line.refusal == kadr::text::LineRefusal::TooLong) {
        // The dialog refuses this before OK; the set cannot have grown meanwhile, but nothing
        // may pass the 256 frames even so.
        ShowErrorBox(QStringLiteral("Строка не помещается: нужно кадров: %1, свободно: %2")
                         .arg(line.added)
                         .arg(line.freeFrames));
    }
}

}  // namespace kadr::editor
