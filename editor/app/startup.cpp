#include "editor/app/startup.h"

#include <QStringList>

#include "editor/app/editor_application.h"
#include "editor/app/startup_settings.h"
#include "editor/dialogs/new_file_dialog.h"
#include "editor/dialogs/port_dialog.h"
#include "editor/dialogs/status_window.h"
#include "editor/window/main_window.h"

namespace kadr::editor {

EditorWindows CreateWindows() {
    EditorWindows windows;
    windows.fmMain = std::make_unique<TfmMain>();
    windows.fmNew = new TfmNew(windows.fmMain.get());
    windows.fmStsMessage = new TfmStsMessage(windows.fmMain.get());
    windows.fmParam =
        new TfmParam(windows.fmMain.get(), &windows.fmMain->Comm(), &windows.fmMain->Upload());
    windows.fmMain->AttachWindows(windows.fmNew, windows.fmStsMessage, windows.fmParam);
    return windows;
}

int RunEditor(int argc, char** argv) {
    SetCompanyName();
    RegisterClipboardFormat();
    EditorApplication application(argc, argv);
    const EditorWindows windows = CreateWindows();
    windows.fmMain->show();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 2) {
        windows.fmMain->Load(arguments.at(1));
    }
    return application.exec();
}

}  // namespace kadr::editor
