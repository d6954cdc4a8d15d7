// The text tool's command: the dialog shows the line, the document takes it as one edit.
#include <algorithm>

#include <QScrollBar>
#include <QSignalBlocker>

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
    UpdateUndoActions();
    if (line.refusal == kadr::text::LineRefusal::TooLong) {
        // The dialog refuses this before OK; the set cannot have grown meanwhile, but nothing
        // may pass the 256 frames even so.
        ShowErrorBox(QStringLiteral("Строка не помещается: нужно кадров: %1, свободно: %2")
                         .arg(line.added)
                         .arg(line.freeFrames));
        return;
    }
    if (line.refusal == kadr::text::LineRefusal::None) {
        RebuildShowingFrame(line.firstFrame);
    }
}

void TfmMain::RebuildShowingFrame(int frame) {
    {
        // The rebuild keeps the bar's position where the frames allow it; moving the bar first,
        // quietly, keeps the frame buttons from carrying the current frame along.
        const QSignalBlocker quiet(ScrollBar1);
        ScrollBar1->setMaximum(std::max(ScrollBar1->maximum(), frame));
        ScrollBar1->setValue(frame);
    }
    RebuildFrameStrip(CellSize());
}

}  // namespace kadr::editor
