#pragma once

#include <functional>

#include <QObject>

#include "frameset/document.h"

class QAction;

namespace kadr::editor {

class TfmMain;

// The commands on the selected frames: the original frame commands (each on every selected frame
// as one step), Copy, Cut and Paste of several frames, the new "Правка" commands, the picks of all
// frames and of the current one alone, and the drop of frames dragged along the strip. They are
// declared with the others (editor/commands/command_declarations.h); the status bar says how many
// frames are selected.
class SelectionCommands : public QObject {
    Q_OBJECT

  public:
    explicit SelectionCommands(TfmMain& window);

    // "Повторить кадры...": how many times, asked in a dialog (2..50, the last answer first).
    void acRepeatExecute();

  private:
    void Bind(const char* name, const std::function<EditResult(Document&)>& edit);
    // As Bind, for a command that adds frames: one that would pass 256 frames is refused with a
    // message that says what to do.
    void BindGrowing(const char* name, const QString& advice,
                     const std::function<EditResult(Document&)>& edit);
    void RunGrowing(const QString& advice, const std::function<EditResult(Document&)>& edit);
    void ShowSelectedCount();

    TfmMain& window_;
    int repeatTimes_ = Document::kMinRepeat;
};

}  // namespace kadr::editor
