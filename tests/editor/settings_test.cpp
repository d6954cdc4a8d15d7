// The stored settings through two runs of the editor, and the port parameters dialog.
#include <memory>

#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

#include "editor/app/form_storage.h"
#include "editor/app/startup_settings.h"
#include "editor/app/window_placement.h"
#include "editor/dialogs/port_dialog.h"
#include "full_editor_fixture.h"

namespace kadr::editor::testing {
namespace {

// The editor's store, opened in the main window's group.
std::unique_ptr<QSettings> Store() {
    auto settings =
        std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                    QString::fromLatin1(kCompanyName), FormStorage::ProgramName());
    settings->beginGroup(QStringLiteral("TfmMain"));
    return settings;
}

QString Stored(const char* name) {
    return Store()->value(QString::fromLatin1(name)).toString();
}

void StoreValue(const char* name, const QString& value) {
    Store()->setValue(QString::fromLatin1(name), value);
}

class SettingsTest : public FullEditorTest {
  protected:
    TfmParam& Param() { return *windows_.fmParam; }
    // Opens the port dialog, lets `fill` change its fields, then presses OK or Cancel unless
    // `fill` closed it.
    void PortDialog(std::function<void(TfmParam&)> fill, bool ok) {
        // A system without ports: whatever this machine has must not offer one of its own.
        Param().SetPortLister([] { return std::vector<SystemPort>{}; });
        ModalScript script;
        script.Then(Answer<TfmParam>("the port dialog", [fill, ok](TfmParam& dialog) {
            fill(dialog);
            if (dialog.isVisible()) {
                ok ? dialog.accept() : dialog.reject();
            }
        }));
        Run(Main().Actions().N12, script);
    }
};

// The store is the key Software\Tarnovik\<program>\TfmMain of the user's registry on Windows
// (its file on Linux): company, then the executable's name without folder or extension, then
// the main window's group, holding every value as a string.
TEST_F(SettingsTest, TheStoreIsTheCompanysKeyNamedAfterTheProgram) {
    Restart();  // the first run saved its settings
    const QString program = FormStorage::ProgramName();
    EXPECT_EQ(program, QStringLiteral("editor_tests")) << "the executable's name, no extension";
    EXPECT_EQ(QCoreApplication::organizationName(), QStringLiteral("Tarnovik"));
    QSettings store(QSettings::NativeFormat, QSettings::UserScope,
                    QCoreApplication::organizationName(), program);
#if defined(Q_OS_WIN)
    EXPECT_EQ(store.fileName(),
              QStringLiteral("\\HKEY_CURRENT_USER\\Software\\Tarnovik\\") + program);
#else
    EXPECT_TRUE(
        store.fileName().endsWith(QStringLiteral("/Tarnovik/") + program + QStringLiteral(".conf")))
        << store.fileName().toStdString();
#endif
    EXPECT_EQ(store.childGroups(), QStringList{QStringLiteral("TfmMain")});
    store.beginGroup(QStringLiteral("TfmMain"));
    for (const QString& name :
         {QStringLiteral("FormVersion"), QStringLiteral("VSSComm321_CommPort"),
          QStringLiteral("VSSComm321_BaudRate"), QStringLiteral("TimerSendTimeout_Interval")}) {
        ASSERT_TRUE(store.contains(name)) << name.toStdString();
        EXPECT_EQ(store.value(name).typeId(), QMetaType::QString) << name.toStdString();
    }
    EXPECT_EQ(store.value(QStringLiteral("VSSComm321_BaudRate")).toString(),
              QStringLiteral("__56000"));
}

TEST_F(SettingsTest, AFirstRunStartsWithTheBuiltInValues) {
    EXPECT_EQ(Main().Comm().CommPort, TCommPort::Com1);
    EXPECT_EQ(Main().Comm().BaudRate, TBaudRate::__56000);
    EXPECT_EQ(Main().Upload().SendTimeoutInterval(), 3000);
    EXPECT_EQ(Param().ComboBox1()->currentText(), QStringLiteral("Com1"));
    EXPECT_EQ(Param().ComboBox2()->currentText(), QStringLiteral("56000"));
    EXPECT_EQ(Param().SpinEdit1()->value(), 3);
    EXPECT_TRUE(Recent().isEmpty());
}

TEST_F(SettingsTest, ThePortDialogsChoicesSurviveARestart) {
    PortDialog(
        [](TfmParam& dialog) {
            dialog.ComboBox1()->setCurrentIndex(2);
            dialog.ComboBox2()->setCurrentIndex(12);
            dialog.SpinEdit1()->setValue(10);
        },
        true);
    EXPECT_EQ(Main().Comm().CommPort, TCommPort::Com3);
    EXPECT_EQ(Main().Comm().BaudRate, TBaudRate::_115200);
    EXPECT_EQ(Main().Upload().SendTimeoutInterval(), 10000);
    Restart();
    EXPECT_EQ(Stored("VSSComm321_CommPort"), QStringLiteral("Com3"));
    EXPECT_EQ(Stored("VSSComm321_BaudRate"), QStringLiteral("_115200"));
    EXPECT_EQ(Stored("TimerSendTimeout_Interval"), QStringLiteral("10000"));
    EXPECT_EQ(Stored("FormVersion"), QStringLiteral("0"));
    EXPECT_EQ(Main().Comm().CommPort, TCommPort::Com3);
    EXPECT_EQ(Param().ComboBox1()->currentText(), QStringLiteral("Com3"));
    EXPECT_EQ(Param().ComboBox2()->currentText(), QStringLiteral("115200"));
    EXPECT_EQ(Param().SpinEdit1()->value(), 10);
}

TEST_F(SettingsTest, EachPortItemSelectsItsOwnPortAndTypedNamesMustMatchOne) {
    for (int item = 0; item < 4; ++item) {
        PortDialog([item](TfmParam& dialog) { dialog.ComboBox1()->setCurrentIndex(item); }, true);
        EXPECT_EQ(Main().Comm().CommPort, static_cast<TCommPort>(item));
    }
    PortDialog([](TfmParam& dialog) { dialog.ComboBox1()->setEditText(QStringLiteral("Com9")); },
               true);
    EXPECT_EQ(Main().Comm().CommPort, TCommPort::Com4) << "a name that is no item changes nothing";
    PortDialog([](TfmParam& dialog) { dialog.ComboBox1()->setEditText(QStringLiteral("com2")); },
               true);
    EXPECT_EQ(Main().Comm().CommPort, TCommPort::Com2);
}

// Typed into a box and confirmed with Enter (which also presses OK), as a user with a USB
// adapter would: a text that names no item must neither become an item nor reach the settings,
// and the settings must still be saved at the end of the run.
TEST_F(SettingsTest, TypedTextConfirmedWithEnterNeverBecomesAnItem) {
    struct Case {
        bool portBox;
        const char* typed;
        TCommPort port;
        TBaudRate rate;
    };
    const Case cases[] = {
        {true, "Com7", TCommPort::Com1, TBaudRate::__56000},
        {true, "Ком1", TCommPort::Com1, TBaudRate::__56000},
        {true, "com3", TCommPort::Com3, TBaudRate::__56000},
        {false, "12345", TCommPort::Com3, TBaudRate::__56000},
        {false, "", TCommPort::Com3, TBaudRate::__56000},
        {false, "115200", TCommPort::Com3, TBaudRate::_115200},
    };
    for (const Case& c : cases) {
        bool closedByEnter = false;
        PortDialog(
            [&c, &closedByEnter](TfmParam& dialog) {
                QComboBox* box = c.portBox ? dialog.ComboBox1() : dialog.ComboBox2();
                const int ports = dialog.ComboBox1()->count();
                box->lineEdit()->selectAll();
                // Key by key as a keyboard types them, Cyrillic too (which keyClicks refuses).
                for (const QChar key : QString::fromUtf8(c.typed)) {
                    QTest::sendKeyEvent(QTest::Click, box->lineEdit(), Qt::Key_unknown, key,
                                        Qt::NoModifier);
                }
                QTest::keyClick(box->lineEdit(), Qt::Key_Return);
                closedByEnter = !dialog.isVisible();
                EXPECT_EQ(dialog.ComboBox1()->count(), ports) << c.typed;
                EXPECT_EQ(dialog.ComboBox2()->count(), 15) << c.typed;
            },
            false);
        EXPECT_TRUE(closedByEnter) << c.typed << ": Enter presses OK";
        EXPECT_EQ(Main().Comm().CommPort, c.port) << c.typed;
        EXPECT_EQ(Main().Comm().BaudRate, c.rate) << c.typed;
    }
    Restart();
    EXPECT_EQ(Stored("VSSComm321_CommPort"), QStringLiteral("Com3"));
    EXPECT_EQ(Stored("VSSComm321_BaudRate"), QStringLiteral("_115200"));
}

TEST_F(SettingsTest, CancelKeepsTheSettingsButNotTheFields) {
    PortDialog(
        [](TfmParam& dialog) {
            dialog.ComboBox1()->setCurrentIndex(3);
            dialog.SpinEdit1()->setValue(8);
        },
        false);
    EXPECT_EQ(Main().Comm().CommPort, TCommPort::Com1);
    EXPECT_EQ(Main().Upload().SendTimeoutInterval(), 3000);
    EXPECT_EQ(Param().ComboBox1()->currentText(), QStringLiteral("Com4 (нет)"))
        << "shown as the user left it (and as the system has it)";
    EXPECT_EQ(Param().SpinEdit1()->value(), 8);
}

TEST_F(SettingsTest, StoredValuesAreReadLikeTheirNamesAndOddOnesIgnored) {
    Stop();
    StoreValue("VSSComm321_CommPort", QStringLiteral("cOM2"));
    StoreValue("VSSComm321_BaudRate", QStringLiteral("___115200"));  // one underscore too many
    StoreValue("TimerSendTimeout_Interval", QStringLiteral("2500"));
    SetUp();
    EXPECT_EQ(Main().Comm().CommPort, TCommPort::Com2);
    EXPECT_EQ(Main().Comm().BaudRate, TBaudRate::__56000);
    EXPECT_EQ(Main().Upload().SendTimeoutInterval(), 2500);
    EXPECT_EQ(Param().SpinEdit1()->value(), 2) << "2500 ms shows as 2 seconds";
    PortDialog([](TfmParam&) {}, true);
    EXPECT_EQ(Main().Upload().SendTimeoutInterval(), 2000);
    Restart();
    EXPECT_EQ(Stored("TimerSendTimeout_Interval"), QStringLiteral("2000"));

    Stop();
    StoreValue("VSSComm321_BaudRate", QStringLiteral("_115200"));
    StoreValue("TimerSendTimeout_Interval", QStringLiteral("soon"));
    SetUp();
    EXPECT_EQ(Main().Comm().BaudRate, TBaudRate::_115200);
    EXPECT_EQ(Main().Upload().SendTimeoutInterval(), 3000)
        << "an interval that is no number keeps the value the timer has: an upload must still end";
}

TEST_F(SettingsTest, TheRecentFilesComeBackInTheirOrder) {
    Stop();
    StoreValue("fm0", QStringLiteral("/top.kdz"));
    StoreValue("fm1", QStringLiteral("/a&b.kdz"));
    StoreValue("fm2", QString());
    StoreValue("fm4", QStringLiteral("/oldest.bin"));
    SetUp();
    EXPECT_EQ(Recent(), (QStringList{QStringLiteral("/top.kdz"), QStringLiteral("/a&b.kdz"),
                                     QStringLiteral("/oldest.bin")}));
    Restart();
    EXPECT_EQ(Stored("fm1"), QStringLiteral("/a&b.kdz"));
    EXPECT_EQ(Stored("fm2"), QStringLiteral("/oldest.bin"));
    EXPECT_FALSE(Store()->contains(QStringLiteral("fm3")));
}

TEST_F(SettingsTest, TheWindowComesBackWhereItWasAndNeverOffTheScreens) {
    Main().move(120, 90);
    Main().resize(700, 420);
    Restart();
    EXPECT_EQ(Main().pos(), QPoint(120, 90));
    EXPECT_EQ(Main().size(), QSize(700, 420));
    const QString normPos = Stored("NormPos");
    EXPECT_EQ(normPos, QStringLiteral("120,90,820,510"));
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(
        Stored(
            QStringLiteral("NormPos(%1x%2)").arg(screen.width()).arg(screen.height()).toLatin1()),
        normPos);
    EXPECT_EQ(Stored("ShowCmd"), QStringLiteral("1"));

    // Saved on a screen since unplugged: far to the right of anything there is now.
    const QRect screenRect(0, 0, 1024, 768);
    const QRect lost = OnVisibleScreen(QRect(3000, 100, 600, 400), {screenRect}, screenRect);
    EXPECT_TRUE(screenRect.contains(lost));
    EXPECT_EQ(lost.size(), QSize(600, 400));
    const QRect huge = OnVisibleScreen(QRect(10, 10, 5000, 3000), {screenRect}, screenRect);
    EXPECT_EQ(huge.size(), QSize(1024, 768));
    const QRect titleAbove = OnVisibleScreen(QRect(100, -50, 600, 400), {screenRect}, screenRect);
    EXPECT_GE(titleAbove.top(), 0) << "a title bar above the screen cannot be grabbed";
    const QRect second(1024, 0, 1280, 1024);
    EXPECT_EQ(OnVisibleScreen(QRect(1100, 50, 600, 400), {screenRect, second}, screenRect),
              QRect(1100, 50, 600, 400));
}

}  // namespace
}  // namespace kadr::editor::testing
