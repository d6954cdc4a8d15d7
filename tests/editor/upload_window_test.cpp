// The upload from the window's button into a virtual display unit on a pseudo-terminal: what the
// button, the status bar and the status window show, and what arrives.
#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "device/port_settings.h"
#include "device/pseudo_terminal.h"
#include "editor/dialogs/status_window.h"
#include "frameset/display_file.h"
#include "full_editor_fixture.h"
#include "tests/support/child_process.h"

namespace kadr::editor::testing {
namespace {

const QString kIdle = QStringLiteral("Загрузить в\nустройство");
const QString kBusy = QStringLiteral("Прервать\nзагрузку");

// What the status window said, and what the window showed while it was up.
struct Outcome {
    QString message;
    QString statusPanel;
    QString caption;
};

class UploadWindowTest : public FullEditorTest {
  protected:
    QToolButton* Button() {
        return Main().findChild<QToolButton*>(QStringLiteral("RxSpeedButton1"));
    }
    QProgressBar* Progress() {
        return Main().findChild<QProgressBar*>(QStringLiteral("UploadProgress"));
    }
    void Press() { QTest::mouseClick(Button(), Qt::LeftButton); }

    // Answers the status window with OK once it shows, noting what it and the window said.
    void AnswerStatusWindow(ModalScript& script, Outcome& outcome) {
        script.Then([this, &outcome](QWidget* modal) {
            auto* window = qobject_cast<TfmStsMessage*>(modal);
            if (window == nullptr) {
                ADD_FAILURE() << "expected the status window, met "
                              << modal->metaObject()->className();
                modal->close();
                return false;
            }
            outcome = {window->Memo1()->text(), StatusText(1), Button()->text()};
            window->accept();
            return true;
        });
    }
    bool WaitFor(ModalScript& script) {
        return QTest::qWaitFor([&] { return script.Finished(); }, 20000);
    }
};

TEST_F(UploadWindowTest, UploadsIntoTheVirtualDisplayUnitAndShowsEachStage) {
    kadr::testing::ChildProcess simulator(
        KADR_BIN, {"simulate", "--baud", "0", "--once", "--save", dir_.File("received.kdz")});
    const std::optional<std::string> port = simulator.ReadLine();
    ASSERT_TRUE(port && port->rfind("port ", 0) == 0) << simulator.Err();
    SetComPortDevice(TCommPort::Com1, port->substr(5));

    Main().Doc().New(9);  // 504 bytes: eight data packets, the last one partly filled
    for (int f = 0; f < 9; ++f) {
        Set().Frames[static_cast<std::size_t>(f)][CellIndex(f, 1 + f % 14)] = kDotSet;
    }
    Main().RebuildFrameStrip(Main().CellSize());
    Main().Bottom().rbFlag1->setChecked(true);
    WriteDisplayFile(dir_.File("sent.kdz"), Set());

    // The status bar as it changes: its texts in order, and the packet counts shown.
    QStringList texts;
    int mostPackets = 0;
    int packetTotal = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (texts.isEmpty() || texts.last() != StatusText(1)) {
            texts << StatusText(1);
        }
        if (Progress()->isVisible()) {
            mostPackets = std::max(mostPackets, Progress()->value());
            packetTotal = Progress()->maximum();
        }
    });
    watch.start(1);

    ModalScript script;
    Outcome outcome;
    AnswerStatusWindow(script, outcome);
    Press();
    EXPECT_EQ(Button()->text(), kBusy);
    ASSERT_TRUE(WaitFor(script));
    watch.stop();

    EXPECT_EQ(outcome.message, QStringLiteral("Программирование завершино"));
    EXPECT_EQ(outcome.statusPanel, outcome.message);
    // The handshake stage is too short here to be seen reliably; the silent line below shows it.
    const QStringList known{QString(), QStringLiteral("Посылка пакетов согласования"),
                            QStringLiteral("Программирование"), outcome.message};
    for (const QString& text : texts) {
        EXPECT_TRUE(known.contains(text)) << text.toStdString();
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("Программирование")));
    EXPECT_EQ(packetTotal, 8);
    EXPECT_EQ(mostPackets, 8);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Button()->text() == kIdle; }, 2000));
    EXPECT_EQ(StatusText(1), QString());
    EXPECT_FALSE(Progress()->isVisible());
    EXPECT_FALSE(Main().Comm().IsOpen());

    EXPECT_EQ(simulator.Wait(), 0);
    EXPECT_NE(simulator.Out().find("received 9 frames"), std::string::npos);
    EXPECT_EQ(kadr::testing::ReadBytes(dir_.File("received.kdz")),
              kadr::testing::ReadBytes(dir_.File("sent.kdz")));
}

TEST_F(UploadWindowTest, TheButtonAbortsARunningUpload) {
    PseudoTerminal silent;  // a line on which nobody answers
    SetComPortDevice(TCommPort::Com1, silent.SlavePath());
    Press();
    EXPECT_EQ(Button()->text(), kBusy);
    EXPECT_EQ(StatusText(1), QStringLiteral("Посылка пакетов согласования"));
    EXPECT_TRUE(Main().Comm().IsOpen());
    QTest::qWait(150);  // a few handshakes go out meanwhile

    ModalScript script;
    Outcome outcome;
    AnswerStatusWindow(script, outcome);
    Press();
    ASSERT_TRUE(WaitFor(script));
    EXPECT_EQ(outcome.message, QStringLiteral("Прграммирование прервано"));
    EXPECT_EQ(outcome.caption, kIdle) << "the button is back before the window shows";
    EXPECT_FALSE(Main().Comm().IsOpen());
    EXPECT_EQ(StatusText(1), QString());
}

TEST_F(UploadWindowTest, SilenceEndsTheUploadAfterTheReplyTimeOut) {
    PseudoTerminal silent;
    SetComPortDevice(TCommPort::Com1, silent.SlavePath());
    Main().Upload().SetSendTimeoutInterval(1000);
    ModalScript script;
    Outcome outcome;
    AnswerStatusWindow(script, outcome);
    Press();
    ASSERT_TRUE(WaitFor(script));
    EXPECT_EQ(outcome.message, QStringLiteral("Нет ответа от устройства"));
    EXPECT_FALSE(Main().Comm().IsOpen());
    EXPECT_EQ(Button()->text(), kIdle);
}

TEST_F(UploadWindowTest, ClosingTheWindowEndsTheUploadWithoutAWindowAfterIt) {
    PseudoTerminal silent;
    SetComPortDevice(TCommPort::Com1, silent.SlavePath());
    Main().Upload().SetSendTimeoutInterval(1000);
    Press();
    ASSERT_TRUE(Main().Upload().State().UploadActive);
    QTest::qWait(100);
    Main().close();
    EXPECT_FALSE(Main().isVisible());
    EXPECT_FALSE(Main().Upload().State().UploadActive);
    EXPECT_FALSE(Main().Comm().IsOpen()) << "the port is free for the next run";
    // Past the reply time-out: no status window comes up over a closed window. One that does
    // is noted and closed, so that the test fails instead of waiting for it.
    QStringList late;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            late << modal->metaObject()->className();
            modal->close();
        }
    });
    watch.start(10);
    QTest::qWait(1500);
    watch.stop();
    EXPECT_TRUE(late.isEmpty()) << late.join(QStringLiteral(", ")).toStdString();
    TVSSComm32 next;
    next.PortName = silent.SlavePath();
    EXPECT_TRUE(next.OpenPort());
}

TEST_F(UploadWindowTest, APortThatCannotOpenIsReportedAndNothingStarts) {
    SetComPortDevice(TCommPort::Com1, dir_.File("no-such-port"));
    ModalScript script;
    script.AnswerMessage(QMessageBox::Ok);
    Press();
    ASSERT_TRUE(WaitFor(script));
    ASSERT_EQ(script.Messages().size(), 1);
    const QStringList lines = script.Messages().front().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2) << script.Messages().front().toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("Error opening com port."));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Порта Com1 (") +
                                    QString::fromStdString(dir_.File("no-such-port")) +
                                    QStringLiteral(") нет: адаптер не подключён")))
        << lines[1].toStdString();
    EXPECT_EQ(Button()->text(), kIdle);
    EXPECT_FALSE(Main().Upload().State().UploadActive);
}

}  // namespace
}  // namespace kadr::editor::testing
