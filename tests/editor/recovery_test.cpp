// The recovery copy as a user meets it: written while working, gone after a save or a normal
// end, and offered at the next start when the editor that made it died.
#include <filesystem>

#include <QDateTime>
#include <QFile>
#include <QTest>

#include "editor/window/recovery_session.h"
#include "frameset/frame_kinds.h"
#include "frameset/module_files.h"
#include "frameset/recovery_copy.h"
#include "full_editor_fixture.h"
#include "tests/recovery/recovery_test_support.h"

namespace kadr::editor::testing {
namespace {

using kadr::testing::MakeOrphan;
using kadr::testing::ReadBytes;

class RecoveryTest : public FullEditorTest {
  protected:
    std::string Folder() const { return dir_.File("recovery"); }
    QString QFolder() const { return QString::fromStdString(Folder()); }
    std::size_t CopiesIn() const {
        std::size_t copies = 0;
        for (const auto& entry : std::filesystem::directory_iterator(Folder())) {
            copies += entry.path().extension() == ".kadrrec" ? 1 : 0;
        }
        return copies;
    }
    // Fails the test when any window comes up.
    static ModalScript::Step Unexpected() {
        return [](QWidget* modal) {
            ADD_FAILURE() << "unexpected window: " << modal->windowTitle().toStdString();
            modal->close();
            return true;
        };
    }
    static FrameSet Work(const std::string& name) {
        FrameSet set;
        set.LastFrame = 2;
        set.FillAllBlank();
        set.Cell(1, 5, 3) = kDotSet;
        SetBegStr(set.Frames[2]);
        set.CurFrame = 1;
        set.SpeedAnim = 9;
        set.SpeedRow = 33;
        set.OrientationFlag = 1;
        set.FileName = name;
        return set;
    }
};

TEST_F(RecoveryTest, QuestionTextNamesTheTimeAndTheFile) {
    const qint64 when = QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9)).toMSecsSinceEpoch();
    EXPECT_EQ(RecoveryQuestion(when, QStringLiteral("/дом/Вывеска.kdz")),
              QStringLiteral("Найдена несохранённая работа от 07.03.2026 14:05:09 (Вывеска.kdz). "
                             "Восстановить?"));
    EXPECT_EQ(RecoveryQuestion(when, QString()),
              QStringLiteral("Найдена несохранённая работа от 07.03.2026 14:05:09 (Без названия). "
                             "Восстановить?"));
}

TEST_F(RecoveryTest, YesBringsTheWorkBackModifiedUnderItsName) {
    std::filesystem::create_directories(Folder());
    const std::string name = dir_.File("шоу.bin");
    const qint64 when = QDateTime::currentMSecsSinceEpoch() - 60000;
    const std::string orphan = MakeOrphan(Folder(), Work(name), when);
    RecoverySession session(Main(), QFolder());

    ModalScript script;
    QString text;
    script.AnswerMessage(QMessageBox::Yes, &text);
    session.OfferOrphans();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(text, RecoveryQuestion(when, QStringLiteral("шоу.bin")));

    const FrameSet& set = Set();
    ASSERT_EQ(set.FrameCount(), 3);
    EXPECT_EQ(set.Cell(1, 5, 3), kDotSet);
    EXPECT_EQ(GetFrameKind(set.Frames[2]), fkBegStr);
    EXPECT_EQ(set.SpeedAnim, 9);
    EXPECT_EQ(set.SpeedRow, 33);
    EXPECT_EQ(set.OrientationFlag, 1);
    EXPECT_TRUE(Main().HasUnsavedChanges());
    EXPECT_EQ(Caption(), QStringLiteral("Кадрописец - шоу.bin"));
    // It is this editor's copy now; the dead editor's is gone.
    EXPECT_FALSE(std::filesystem::exists(orphan));
    EXPECT_TRUE(QFile::exists(session.Store().OwnCopyPath()));

    // Save writes under its name, without a dialog; then nothing is left to recover.
    Run(Main().Actions().acSave);
    for (const std::string& member : ModuleFileNames(name)) {
        EXPECT_EQ(ReadBytes(member).size(), 3U * 7U) << member;
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return CopiesIn() == 0; }, 3000));
}

TEST_F(RecoveryTest, NoDeletesTheCopyAndTheNextStartAsksNothing) {
    std::filesystem::create_directories(Folder());
    MakeOrphan(Folder(), Work(""), 1000);
    {
        RecoverySession session(Main(), QFolder());
        ModalScript script;
        script.AnswerMessage(QMessageBox::No);
        session.OfferOrphans();
        EXPECT_TRUE(script.Finished());
        EXPECT_EQ(Set().FrameCount(), 1) << "the document stays as it was";
        EXPECT_FALSE(Main().HasUnsavedChanges());
    }
    EXPECT_EQ(CopiesIn(), 0U);
    RecoverySession again(Main(), QFolder());
    ModalScript guard;
    guard.Then(Unexpected());
    again.OfferOrphans();
    EXPECT_FALSE(guard.Finished());
}

TEST_F(RecoveryTest, SeveralCopiesAreOfferedNewestFirst) {
    std::filesystem::create_directories(Folder());
    MakeOrphan(Folder(), Work(dir_.File("b.kdz")), 2000);
    MakeOrphan(Folder(), Work(dir_.File("c.kdz")), 3000);
    MakeOrphan(Folder(), Work(dir_.File("a.kdz")), 1000);
    RecoverySession session(Main(), QFolder());
    ModalScript script;
    // The newest comes back; the other two are let go.
    script.AnswerMessage(QMessageBox::Yes)
        .AnswerMessage(QMessageBox::No)
        .AnswerMessage(QMessageBox::No);
    session.OfferOrphans();
    EXPECT_TRUE(script.Finished());
    ASSERT_EQ(script.Messages().size(), 3);
    EXPECT_TRUE(script.Messages()[0].contains(QStringLiteral("(c.kdz)")));
    EXPECT_TRUE(script.Messages()[1].contains(QStringLiteral("(b.kdz)")));
    EXPECT_TRUE(script.Messages()[2].contains(QStringLiteral("(a.kdz)")));
    EXPECT_EQ(Caption(), QStringLiteral("Кадрописец - c.kdz"));
    EXPECT_EQ(CopiesIn(), 1U) << "only this editor's own copy";
}

TEST_F(RecoveryTest, AChangeIsCopiedSoonAndTheCopyGoesOnSaveAndOnANormalEnd) {
    auto session = std::make_unique<RecoverySession>(Main(), QFolder());
    const QString own = session->Store().OwnCopyPath();
    ClickDot(4, 2);  // a dot leaves no undo step, and is copied all the same
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(own); }, 5000));
    session->Saver().Flush();
    const auto copy = DecodeRecoveryCopy(ReadBytes(own.toStdString()));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->set.Cell(0, 4, 2), kDotSet);
    EXPECT_EQ(copy->set.FileName, "");

    ModalScript saveAs;
    saveAs.ChooseFile(File(QStringLiteral("saved.kdz")));
    Run(Main().Actions().acSaveAs, saveAs);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(own); }, 3000));

    ClickDot(6, 6);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(own); }, 5000));
    // A second editor started now is not offered the first one's copy.
    {
        RecoveryStore second(QFolder());
        EXPECT_TRUE(second.FindOrphans().empty());
    }
    session.reset();
    EXPECT_FALSE(QFile::exists(own));
    EXPECT_EQ(CopiesIn(), 0U);
}

}  // namespace
}  // namespace kadr::editor::testing
