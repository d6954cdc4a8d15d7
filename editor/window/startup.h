#pragma once

#include <memory>

class QCoreApplication;

namespace kadr::editor {

class TfmMain;
class TfmNew;
class TfmParam;
class TfmStsMessage;

// The four windows of a run. The main window comes first and owns the other three, which exist
// hidden until a command shows them.
struct EditorWindows {
    std::unique_ptr<TfmMain> fmMain;
    TfmNew* fmNew = nullptr;
    TfmStsMessage* fmStsMessage = nullptr;
    TfmParam* fmParam = nullptr;
};

// Each window is complete, its creation handler run, before the next one is made.
EditorWindows CreateWindows();

// Russian texts for the platform's standard dialogs, when Qt's translations are installed.
void UseRussianStandardTexts(QCoreApplication& application);

// The whole run: start-up settings, the application object, the windows, the message loop.
// A single argument names a file to open at start.
int RunEditor(int argc, char** argv);

}  // namespace kadr::editor
