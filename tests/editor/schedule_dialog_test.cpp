// "Расписание..." and the live fields of "Сообщения...": where the command stands, a schedule
// file shown and edited, what is in force, a bad time refused, the file written back, `kadr
// schedule` started and stopped in the background with its lines shown, one started elsewhere
// shown and stopped; a bad field in red, the preview's time turning with the minute.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QOperatingSystemVersion>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "editor/commands/command_declarations.h"
#include "editor/commands/command_set.h"
#include "editor/dialogs/message_form.h"
#include "editor/dialogs/messages_dialog.h"
#include "editor/dialogs/program_preview.h"
#include "editor/schedule/schedule_dialog.h"
#include "editor/schedule/schedule_platform.h"
#include "editor/schedule/schedule_table.h"
#include "frameset/display_file.h"
#include "frameset/file_system.h"
#include "full_editor_fixture.h"
#include "program_file/schedule_file.h"

namespace kadr::editor::testing {
namespace {

class ScheduleDialogTest : public FullEditorTest {
  protected:
    QAction* Command() { return Main().Command(QStringLiteral("acSchedule")); }
    // A port that is not there, spelt with '/' (a backslash would need escaping in JSON).
    std::string NoPort() const { return File(QStringLiteral("no-port")).toStdString(); }
    // One frame set shown all week; uploads aimed at a port that is not there.
    QString WriteSchedule() {
        WriteDisplayFile(dir_.File("a.kdz"), FrameSet{});  // one blank frame
        const QString path = File(QStringLiteral("расписание.json"));
        std::ofstream(PathFromUtf8(path.toStdString()), std::ios::binary)
            << R"({"entries":[{"days":["mon","tue","wed","thu","fri","sat","sun"],)"
               R"("from":"00:00","to":"00:00","show":"a.kdz"}],"default":"нет.kdz","port":")"
            << NoPort() << "\"}";
        return path;
    }
};

TEST_F(ScheduleDialogTest, StandsAfterTheSpecifiedParameters) {
    QMenu* parameters = FindMenu(Main(), QString::fromLatin1(kParametersMenu));
    ASSERT_NE(parameters, nullptr);
    const QList<QAction*> items = parameters->actions();
    EXPECT_EQ(items.back(), Command());
    EXPECT_EQ(Command()->text(), QStringLiteral("Расписание..."));
    EXPECT_EQ(items[items.size() - 3]->text(), QStringLiteral("Параметры анимации..."));
}

TEST_F(ScheduleDialogTest, ShowsEditsAndWritesASchedule) {
    const QString path = WriteSchedule();
    ModalScript script;
    script.Then(Answer<TfmSchedule>("the schedule dialog", [&](TfmSchedule& dialog) {
        dialog.Load(path);
        ScheduleTable& table = *dialog.Table();
        ASSERT_EQ(table.rowCount(), 1);
        EXPECT_EQ(table.item(0, ScheduleTable::kFramesColumn)->text(), QStringLiteral("1"));
        EXPECT_EQ(dialog.lbNow->text(), QStringLiteral("Сейчас: строка 1 — a.kdz."));
        EXPECT_EQ(dialog.lbNext->text(),
                  QStringLiteral("Смен нет: всю неделю показывается одно и то же."));

        table.item(0, ScheduleTable::kToColumn)->setText(QStringLiteral("8:0"));
        EXPECT_EQ(dialog.lbNow->text(),
                  QStringLiteral("Строка 1: время «8:0» — пишите ЧЧ:ММ, например 08:00."));
        EXPECT_THROW(dialog.SaveTo(path), Error);
        table.item(0, ScheduleTable::kToColumn)->setText(QStringLiteral("24:00"));
        table.item(0, 6)->setCheckState(Qt::Unchecked);  // not on Sundays
        table.setCurrentCell(0, 0);
        dialog.btAdd->click();
        table.SetShow(1, QStringLiteral("b.json"));
        dialog.btUp->click();
        dialog.edDefault->clear();
        EXPECT_TRUE(dialog.SaveTo(path));
        dialog.reject();
    }));
    Run(Command(), script);

    kadr::schedule::Schedule expected;
    expected.entries = {{kadr::schedule::kEveryDay, 8 * 60, 12 * 60, "b.json"},
                        {0x3F, 0, 24 * 60, "a.kdz"}};
    expected.line.port = NoPort();
    EXPECT_EQ(kadr::schedule::ReadScheduleFile(path.toStdString()), expected);
}

TEST_F(ScheduleDialogTest, StartsAndStopsKadrScheduleAndShowsItsLines) {
    const QString path = WriteSchedule();
    ModalScript script;
    script.Then(Answer<TfmSchedule>("the schedule dialog", [&](TfmSchedule& dialog) {
        dialog.Load(path);
        EXPECT_FALSE(dialog.btStop->isEnabled());
        EXPECT_EQ(dialog.cbLogon->isEnabled(),
                  QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows)
            << "Windows only";
        dialog.btStart->click();
        EXPECT_TRUE(dialog.btStop->isEnabled());
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return dialog.edLog->toPlainText().contains(QStringLiteral("again in 10 s")); },
            10000))
            << dialog.edLog->toPlainText().toStdString();
        dialog.btStop->click();
        EXPECT_TRUE(dialog.edLog->toPlainText().endsWith(
            QStringLiteral("— расписание остановлено (код 0)")))
            << dialog.edLog->toPlainText().toStdString();
        EXPECT_TRUE(dialog.btStart->isEnabled());
        dialog.reject();
    }));
    Run(Command(), script);
}

TEST_F(ScheduleDialogTest, ARunStartedElsewhereShowsAsRunningAndStopsFromHere) {
    const QString path = WriteSchedule();
    QProcess other;
    other.start(KadrProgram(), {QStringLiteral("schedule"), path});
    ASSERT_TRUE(other.waitForReadyRead(10000)) << "its first log line";
    ModalScript script;
    script.Then(Answer<TfmSchedule>("the schedule dialog", [&](TfmSchedule& dialog) {
        dialog.Load(path);
        dialog.Refresh();
        EXPECT_EQ(dialog.lbState->text(),
                  QStringLiteral("Запущено другим процессом (PID %1).").arg(other.processId()));
        EXPECT_FALSE(dialog.btStart->isEnabled());
        dialog.btStop->click();
        EXPECT_TRUE(other.waitForFinished(1000));
        EXPECT_EQ(other.exitCode(), 0) << "stopped as Ctrl+C stops it";
        // Its lock file stays behind, naming a process that is gone.
        EXPECT_EQ(dialog.lbState->text(), QStringLiteral("Не запущено."));
        EXPECT_TRUE(dialog.btStart->isEnabled());
        dialog.reject();
    }));
    Run(Command(), script);
}

TEST_F(ScheduleDialogTest, AFieldThatCannotBeFilledIsRedAndRefusesOk) {
    ModalScript script;
    script.Then(Answer<MessagesDialog>("the messages dialog", [](MessagesDialog& dialog) {
        dialog.Form()->edText->setText(QStringLiteral("{tiem}"));
        EXPECT_FALSE(dialog.CanAccept());
        EXPECT_TRUE(dialog.Summary()->text().contains(
            QStringLiteral("Сообщение 1: поле {tiem} неизвестно")))
            << dialog.Summary()->text().toStdString();
        dialog.Form()->edText->setText(QStringLiteral("{time}"));
        EXPECT_TRUE(dialog.CanAccept()) << dialog.Summary()->text().toStdString();
        const std::string now = dialog.FilledProgram().program.messages[0].text;
        EXPECT_TRUE(now.size() == 5 && now[2] == ':') << now;  // today's "08:05"
        dialog.reject();
    }));
    Run(Main().Command(QStringLiteral("acMessages")), script);
}

TEST_F(ScheduleDialogTest, ThePreviewsTimeTurnsWithTheMinuteAndWhatIsTypedStays) {
    ModalScript script;
    script.Then(Answer<MessagesDialog>("the messages dialog", [](MessagesDialog& dialog) {
        QDateTime now(QDate(2024, 5, 6), QTime(8, 5, 59, 800));
        dialog.SetClock([&now] { return now; });
        QLineEdit& text = *dialog.Form()->edText;
        text.setText(QStringLiteral("{date}"));
        EXPECT_EQ(dialog.FieldTimer().interval(), 10 * 60 * 1000) << "midnight is far off";
        text.setText(QStringLiteral("{time}"));
        text.setSelection(1, 4);
        EXPECT_EQ(dialog.FieldTimer().interval(), 200) << "to 08:06:00.000";
        const auto pictures = [&dialog] {
            std::vector<kadr::playback::Picture> all;
            for (const auto& step : dialog.Preview()->Timeline().steps) {
                all.push_back(step.picture);
            }
            return all;
        };
        const auto before = pictures();
        now = QDateTime(QDate(2024, 5, 6), QTime(8, 6, 0, 5));
        EXPECT_TRUE(QTest::qWaitFor([&] { return pictures() != before; }, 1000));
        EXPECT_EQ(dialog.FieldTimer().interval(), 59995) << "on to 08:07";
        EXPECT_EQ(text.text(), QStringLiteral("{time}"));
        EXPECT_EQ(text.selectedText(), QStringLiteral("time"));
        dialog.reject();
    }));
    Run(Main().Command(QStringLiteral("acMessages")), script);
}

}  // namespace
}  // namespace kadr::editor::testing
