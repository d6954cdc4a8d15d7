// "Сообщения..." in the editor: where it stands, the dialog's list and settings, the frames it
// reports, the program it plays and inserts as one edit, and the programs it keeps.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>

#include "editor/commands/command_declarations.h"
#include "editor/commands/command_set.h"
#include "editor/dialogs/message_form.h"
#include "editor/dialogs/messages_dialog.h"
#include "editor/dialogs/program_preview.h"
#include "editor/window/speed_box.h"
#include "frameset/frame_kinds.h"
#include "full_editor_fixture.h"

namespace kadr::editor::testing {
namespace {

using kadr::messages::Effect;

ModalScript::Step InDialog(std::function<void(MessagesDialog&)> act) {
    return Answer<MessagesDialog>("the messages dialog", std::move(act));
}

void ChooseEffect(QComboBox* box, Effect effect) {
    box->setCurrentIndex(box->findData(static_cast<int>(effect)));
}

class MessagesDialogTest : public FullEditorTest {
  protected:
    QAction* Command() { return Main().Command(QStringLiteral("acMessages")); }
};

TEST_F(MessagesDialogTest, StandsRightAfterTheTextLineInTheEditMenu) {
    QMenu* edit = FindMenu(Main(), QString::fromLatin1(kEditMenu));
    ASSERT_NE(edit, nullptr);
    const QList<QAction*> items = edit->actions();
    const auto at = items.indexOf(Command());
    ASSERT_GT(at, 0);
    EXPECT_EQ(Command()->text(), QStringLiteral("Сообщения..."));
    EXPECT_EQ(items[at - 1], Main().Actions().acTextLine);
}

TEST_F(MessagesDialogTest, OkInsertsTheProgramAsPlayedAndOneUndoRemovesIt) {
    Main().Doc().New(3);
    Set().CurFrame = 0;
    double playedMs = 0;
    ModalScript script;
    script.Then(InDialog([&](MessagesDialog& dialog) {
        MessageForm& form = *dialog.Form();
        dialog.seSpeed->setValue(10);
        form.edText->setText(QStringLiteral("Т"));
        ChooseEffect(form.cbIn, Effect::ScrollLeft);
        ChooseEffect(form.cbOut, Effect::ScrollUp);
        // "Т" centred: 16 frames in, 2 s are 20 frames, 9 out.
        EXPECT_TRUE(form.lbTiming->text().contains(QStringLiteral("Появление: 16 кадр.")))
            << form.lbTiming->text().toStdString();
        EXPECT_TRUE(form.lbTiming->text().contains(QStringLiteral("держать: 20 кадр. (2,00 с)")));
        dialog.btAdd->click();
        form.edText->setText(QStringLiteral("Т"));
        form.cbShow->setCurrentIndex(static_cast<int>(kadr::messages::Show::Line));
        EXPECT_FALSE(form.cbIn->isEnabled());
        EXPECT_EQ(dialog.lbMessages->count(), 2);
        EXPECT_TRUE(
            dialog.Summary()->text().startsWith(QStringLiteral("Кадров нужно: 48, свободно: 253")))
            << dialog.Summary()->text().toStdString();
        EXPECT_TRUE(dialog.CanAccept());
        // The preview plays 45 frames at 100 ms and a line of one frame, 55 steps at 1000 ms.
        playedMs = dialog.Preview()->Timeline().TotalMs();
        dialog.accept();
    }));
    Run(Command(), script);

    EXPECT_DOUBLE_EQ(playedMs, 45 * 100.0 + 55 * 1000.0);
    EXPECT_EQ(Set().LastFrame, 2 + 48);
    EXPECT_EQ(Set().CurFrame, 1);
    EXPECT_EQ(Set().SpeedAnim, 10);
    EXPECT_EQ(Main().Bottom().seSpeedAnim->value(), 10);
    EXPECT_EQ(GetFrameKind(Set().Frames[45]), fkAnim);
    EXPECT_EQ(GetFrameKind(Set().Frames[46]), fkBegStr);
    EXPECT_EQ(GetFrameKind(Set().Frames[48]), fkEndStr);
    EXPECT_EQ(StatusText(0), QStringLiteral("Кадров = 51"));
    Run(Main().Actions().acUndo);
    EXPECT_EQ(Set().LastFrame, 2);
    EXPECT_FALSE(Main().Actions().acUndo->isEnabled());
}

TEST_F(MessagesDialogTest, TooManyFramesOrTooWideATextAreShownInRedWithOkRefused) {
    Main().Doc().New(250);
    ModalScript script;
    script.Then(InDialog([](MessagesDialog& dialog) {
        MessageForm& form = *dialog.Form();
        dialog.seSpeed->setValue(10);
        form.edText->setText(QStringLiteral("Т"));
        form.seHold->setValue(0.5);  // 5 frames of the 6 free
        EXPECT_TRUE(dialog.CanAccept());
        form.seHold->setValue(2);
        EXPECT_FALSE(dialog.CanAccept());
        EXPECT_TRUE(
            dialog.Summary()->text().startsWith(QStringLiteral("Кадров нужно: 20, свободно: 6")))
            << dialog.Summary()->text().toStdString();
        EXPECT_TRUE(dialog.Summary()->styleSheet().contains(QStringLiteral("color")));
        dialog.accept();  // refused: the dialog stays
        EXPECT_TRUE(dialog.isVisible());

        form.seHold->setValue(0);
        form.edText->setText(QStringLiteral("ННННН"));  // 29 columns
        EXPECT_FALSE(dialog.CanAccept());
        EXPECT_TRUE(form.lbTiming->text().contains(QStringLiteral("шириной 29 столбцов")))
            << form.lbTiming->text().toStdString();
        EXPECT_TRUE(form.lbTiming->text().contains(QStringLiteral("бегущей строкой")));
        form.seGap->setValue(0);  // 25 columns
        EXPECT_TRUE(dialog.CanAccept());
        form.edText->clear();
        EXPECT_FALSE(dialog.CanAccept());
        dialog.reject();
    }));
    Run(Command(), script);
    EXPECT_EQ(Set().LastFrame, 249);
}

TEST_F(MessagesDialogTest, TheListAddsCopiesMovesAndRemovesMessages) {
    ModalScript script;
    script.Then(InDialog([](MessagesDialog& dialog) {
        MessageForm& form = *dialog.Form();
        const auto texts = [&] {
            QStringList out;
            for (const auto& m : dialog.Program().messages) {
                out << QString::fromStdString(m.text);
            }
            return out.join(QLatin1Char(','));
        };
        form.edText->setText(QStringLiteral("a"));
        EXPECT_FALSE(dialog.btRemove->isEnabled());
        dialog.btAdd->click();
        form.edText->setText(QStringLiteral("b"));
        ChooseEffect(form.cbIn, Effect::Dissolve);
        dialog.btDuplicate->click();
        EXPECT_EQ(form.edText->text(), QStringLiteral("b"));
        EXPECT_EQ(form.cbIn->currentData().toInt(), static_cast<int>(Effect::Dissolve));
        form.edText->setText(QStringLiteral("c"));
        EXPECT_EQ(texts(), QStringLiteral("a,b,c"));
        dialog.btUp->click();
        dialog.btUp->click();
        EXPECT_EQ(texts(), QStringLiteral("c,a,b"));
        EXPECT_FALSE(dialog.btUp->isEnabled());
        EXPECT_TRUE(dialog.lbMessages->item(0)->text().startsWith(QStringLiteral("1. c — ")));
        dialog.lbMessages->setCurrentRow(1);
        EXPECT_EQ(form.edText->text(), QStringLiteral("a"));
        dialog.btDown->click();
        EXPECT_EQ(texts(), QStringLiteral("c,b,a"));
        dialog.btRemove->click();
        EXPECT_EQ(texts(), QStringLiteral("c,b"));
        EXPECT_EQ(form.edText->text(), QStringLiteral("b"));
        dialog.reject();
    }));
    Run(Command(), script);
}

TEST_F(MessagesDialogTest, ProgramsAreKeptInFilesAndTheLastOneIsRemembered) {
    const QString path = File(QStringLiteral("shop"));
    ModalScript script;
    script
        .Then(InDialog([](MessagesDialog& dialog) {
            dialog.seSpeed->setValue(7);
            dialog.Form()->edText->setText(QStringLiteral("Скидки"));
            ChooseEffect(dialog.Form()->cbOut, Effect::WipeLeft);
            dialog.btSaveProgram->click();  // the name is typed without its extension
        }))
        .ChooseFile(path)
        .Then(InDialog([](MessagesDialog& dialog) {
            dialog.Form()->edText->setText(QStringLiteral("другое"));
            dialog.seSpeed->setValue(20);
            dialog.btOpenProgram->click();
        }))
        .ChooseFile(path + QStringLiteral(".json"))
        .Then(InDialog([](MessagesDialog& dialog) {
            EXPECT_EQ(dialog.Form()->edText->text(), QStringLiteral("Скидки"));
            EXPECT_EQ(dialog.seSpeed->value(), 7);  // the program's own speed
            EXPECT_EQ(dialog.Form()->cbOut->currentData().toInt(),
                      static_cast<int>(Effect::WipeLeft));
            dialog.Form()->edText->setText(QStringLiteral("Цена"));
            dialog.accept();
        }));
    Run(Command(), script);
    EXPECT_EQ(Set().SpeedAnim, 7);
    Restart();
    ModalScript again;
    again.Then(InDialog([](MessagesDialog& dialog) {
        EXPECT_EQ(dialog.Form()->edText->text(), QStringLiteral("Цена"));
        EXPECT_EQ(dialog.Form()->cbOut->currentData().toInt(), static_cast<int>(Effect::WipeLeft));
        dialog.reject();
    }));
    Run(Command(), again);
}

}  // namespace
}  // namespace kadr::editor::testing
