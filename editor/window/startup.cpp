#include "editor/window/startup.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include "editor/app/command_line.h"
#include "editor/app/editor_application.h"
#include "editor/app/startup_settings.h"
#include "editor/dialogs/new_file_dialog.h"
#include "editor/dialogs/port_dialog.h"
#include "editor/dialogs/status_window.h"
#include "editor/schedule/schedule_process.h"
#include "editor/window/main_window.h"
#include "editor/window/recovery_session.h"

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

void UseRussianStandardTexts(QCoreApplication& application) {
    // The file dialogs and message boxes come from Qt; with its translations installed they
    // speak the same language as the rest of the window, without them they stay in English.
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
}

int RunEditor(int argc, char** argv) {
    QStringList words;
    for (int i = 0; i < argc; ++i) {
        words.append(QString::fromLocal8Bit(argv[i]));
    }
    if (const std::optional<int> answered = AnswerInformationRequest(words, stdout)) {
        return *answered;
    }
    if (words.size() == 3 && words.at(1) == QStringLiteral("--schedule")) {
        // The Startup folder's shortcut: the schedule starts without a window, the editor not
        // at all.
        QCoreApplication application(argc, argv);
        return LaunchHiddenSchedule(QCoreApplication::arguments().at(2));
    }
    SetCompanyName();
    RegisterClipboardFormat();
    EditorApplication application(argc, argv);
    if (const std::optional<int> refused =
            CheckStartArguments(QCoreApplication::arguments(), stderr)) {
        return *refused;
    }
    UseRussianStandardTexts(application);
    // The desktop finds the window's menu entry, and so its name and icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("ru.tarnovik.kadropisets"));
    const EditorWindows windows = CreateWindows();
    // Made after the windows and so ended before them: its normal end removes the copy.
    RecoverySession recovery(*windows.fmMain);
    windows.fmMain->show();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 2) {
        windows.fmMain->OpenNamed(arguments.at(1));
    }
    // After the file named on the command line: work found is offered in its place.
    recovery.OfferOrphans();
    return application.exec();
}

}  // namespace kadr::editor
