// Runs the editor's tests against real widgets on Qt's offscreen platform, whatever display the
// caller has, with the settings store in a folder of its own.
#include <cstdlib>
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
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) {
            return RUN_ALL_TESTS();  // listing needs no application object
        }
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    standardHandler = qInstallMessageHandler(QuietMessages);
    QTemporaryDir settingsHome;
    setenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit().constData(), 1);
    // Recovery copies of the windows the tests make go there too, not among the user's.
    QTemporaryDir dataHome;
    setenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit().constData(), 1);
    kadr::editor::SetCompanyName();
    kadr::editor::RegisterClipboardFormat();
    kadr::editor::EditorApplication application(argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings);
    return RUN_ALL_TESTS();
}
