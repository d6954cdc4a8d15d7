// Runs the editor's tests against real widgets on Qt's offscreen platform, whatever display the
// caller has, with the settings store in a folder of its own (on Windows the registry key and
// the data folder are the test program's own, named after it).
#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <QSettings>

#include "editor/app/editor_application.h"
#include "editor/app/form_storage.h"
#include "editor/app/startup_settings.h"

namespace {

// The offscreen platform cannot pass size hints to a window manager it does not have; saying so
// for every window only buries the test output.
QtMessageHandler standardHandler = nullptr;

void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains(QLatin1String("propagateSizeHints"))) {
        standardHandler(type, context, message);
    }
}

// Every test starts from an empty settings store, as on a first run.
class FreshSettings : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& /*test*/) override {
        QSettings(QSettings::NativeFormat, QSettings::UserScope,
                  QString::fromLatin1(kadr::editor::kCompanyName),
                  kadr::editor::FormStorage::ProgramName())
            .clear();
    }
};

}  // namespace

int main(int argc, char** argv) {
    // Written as it comes, so that a test stopped by a time limit is named in the log (a pipe
    // would otherwise hold the last lines back, on Windows most of all).
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) {
            return RUN_ALL_TESTS();  // listing needs no application object
        }
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    standardHandler = qInstallMessageHandler(QuietMessages);
    QTemporaryDir settingsHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    // Recovery copies of the windows the tests make go there too, not among the user's.
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    kadr::editor::SetCompanyName();
    kadr::editor::RegisterClipboardFormat();
    kadr::editor::EditorApplication application(argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings);
    return RUN_ALL_TESTS();
}
