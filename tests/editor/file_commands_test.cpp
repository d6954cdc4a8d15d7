// New, Open, Save, Save As, closing and the recent files, answered as a user answers them.
#include <algorithm>
#include <iterator>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "editor/dialogs/new_file_dialog.h"
#include "editor/files/recent_file_list.h"
#include "editor/window/speed_box.h"
#include "frameset/display_file.h"
#include "frameset/frame_kinds.h"
#include "frameset/module_files.h"
#include "full_editor_fixture.h"
#include "pictures/utf8_path.h"

namespace kadr::editor::testing {
namespace {

using kadr::testing::ReadBytes;

const QString kUntitled = QStringLiteral("Кадрописец - Без названия");

ModalScript::Step TypeCount(const QString& text) {
    return Answer<TfmNew>("the new-file dialog", [text](TfmNew& dialog) {
        dialog.edCount()->setText(text);
        dialog.accept();
    });
}

ModalScript::Step CancelNewFile() {
    return [](QWidget* modal) {
        EXPECT_NE(qobject_cast<TfmNew*>(modal), nullptr);
        static_cast<QDialog*>(modal)->reject();
        return true;
    };
}

class FileCommandsTest : public FullEditorTest {
  protected:
    const Commands& Actions() { return Main().Actions(); }
    void New(const QString& count) {
        ModalScript script;
        script.Then(TypeCount(count));
        Run(Actions().acNew, script);
    }
    void SaveAs(const QString& path, const QString& filter = {}) {
        ModalScript script;
        script.ChooseFile(path, filter);
        Run(Actions().acSaveAs, script);
    }
    void Open(const QString& path) {
        ModalScript script;
        script.ChooseFile(path);
        Run(Actions().acOpen, script);
    }
    // A drawing that is easy to recognise: a dot in frame 0, a second frame as a start frame,
    // speed 12.
    void Draw() {
        ClickDot(3, 4);
        Run(Actions().acAdd);
        Run(Actions().mnBegStr);
        Main().Bottom().seSpeedAnim->setValue(12);
    }
    void ExpectDrawing() {
        ASSERT_EQ(Set().FrameCount(), 2);
        EXPECT_EQ(Set().Cell(0, 3, 4), kDotSet);
        EXPECT_EQ(GetFrameKind(Set().Frames[1]), fkBegStr);
        EXPECT_EQ(Main().Bottom().seSpeedAnim->value(), 12);
    }
};

TEST_F(FileCommandsTest, NewMakesBlankFramesAndRefusesCountsItCannotHold) {
    Draw();
    ModalScript discard;
    discard.AnswerMessage(QMessageBox::No).Then(TypeCount(QStringLiteral("3")));
    Run(Actions().acNew, discard);
    EXPECT_EQ(Set().FrameCount(), 3);
    for (int f = 0; f < 3; ++f) {
        EXPECT_EQ(GetFrameKind(Set().Frames[static_cast<std::size_t>(f)]), fkAnim);
        EXPECT_EQ(Set().Cell(f, 3, 4), kDotBlank);
    }
    EXPECT_EQ(Main().Bottom().seSpeedAnim->value(), 1);
    EXPECT_EQ(Caption(), kUntitled);
    EXPECT_FALSE(Main().HasUnsavedChanges()) << "New leaves nothing to save";
    EXPECT_EQ(StatusText(0), QStringLiteral("Кадров = 3"));

    New(QStringLiteral("0"));
    EXPECT_EQ(Set().LastFrame, -1);
    EXPECT_EQ(Set().CurFrame, -1);
    EXPECT_EQ(StatusText(0), QStringLiteral("Кадров = 0"));

    ModalScript script;
    script.Then(TypeCount(QStringLiteral("три")))
        .AnswerMessage(QMessageBox::Ok)
        .Then(TypeCount(QStringLiteral("257")))
        .AnswerMessage(QMessageBox::Ok)
        .Then(CancelNewFile());
    Run(Actions().acNew, script);
    EXPECT_EQ(script.Messages(),
              (QStringList{QStringLiteral("'три' is not a valid integer value."),
                           QStringLiteral("Количество кадров должно быть от 0 до 256.")}));
    EXPECT_EQ(Set().LastFrame, -1) << "a refused count changes nothing";
}

TEST_F(FileCommandsTest, NewAsksBeforeItDiscardsUnsavedWork) {
    Draw();
    ModalScript cancel;
    QString question;
    cancel.AnswerMessage(QMessageBox::Cancel, &question);
    Run(Actions().acNew, cancel);
    EXPECT_EQ(question, QStringLiteral("Текущий файл не сохранен. Сохранить?"));
    EXPECT_EQ(cancel.Messages().size(), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "Cancel ends New before its dialog";
    ExpectDrawing();
    EXPECT_TRUE(Main().HasUnsavedChanges());

    // Yes saves first; the new document follows only once the work is on disk.
    ModalScript yes;
    yes.AnswerMessage(QMessageBox::Yes)
        .ChooseFile(File("kept.kdz"))
        .Then(TypeCount(QStringLiteral("1")));
    Run(Actions().acNew, yes);
    FrameSet kept;
    ReadDisplayFile(dir_.File("kept.kdz"), kept);
    EXPECT_EQ(kept.FrameCount(), 2);
    EXPECT_EQ(kept.Cell(0, 3, 4), kDotSet);
    EXPECT_EQ(Set().FrameCount(), 1);
    EXPECT_EQ(Caption(), kUntitled);

    // A dot alone leaves no undo step but is work all the same; a save given up keeps it.
    ClickDot(7, 7);
    ModalScript changedMind;
    changedMind.AnswerMessage(QMessageBox::Yes).CancelFileDialog();
    Run(Actions().acNew, changedMind);
    EXPECT_EQ(Set().Cell(0, 7, 7), kDotSet);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(FileCommandsTest, AModuleFileSetWithAFileMissingSaysWhichOne) {
    Draw();
    SaveAs(File("show.bin"));
    const auto names = ModuleFileNames(dir_.File("show.bin"));
    QFile::remove(QString::fromStdString(names[2]));
    New(QStringLiteral("1"));

    ModalScript script;
    QString text;
    script.ChooseFile(File("h4ow.bin")).AnswerMessage(QMessageBox::Ok, &text);
    Run(Actions().acOpen, script);
    EXPECT_EQ(text, QStringLiteral("Файл %1 не найден. Набор файлов модулей прочитан не полностью.")
                        .arg(QDir::toNativeSeparators(QString::fromStdString(names[2]))));
    EXPECT_EQ(Caption(), kUntitled) << "the caption does not name a file that was not read";
    EXPECT_EQ(Set().FrameCount(), 2) << "the modules before the missing file were read";
    EXPECT_EQ(Set().Cell(0, 3, 4), kDotSet);
    EXPECT_FALSE(Main().HasUnsavedChanges());
}

TEST_F(FileCommandsTest, AnIncompleteModuleFileSetIsNeverSavedOverWithoutTheSaveDialog) {
    Draw();
    // A Cyrillic name on the way, as the message has to show it.
    SaveAs(File(QStringLiteral("шоу.bin")));
    const auto names = ModuleFileNames(dir_.File("шоу.bin"));
    std::vector<std::vector<std::uint8_t>> before;
    for (const std::string& name : names) {
        before.push_back(ReadBytes(name));
    }
    QFile::remove(QString::fromStdString(names[5]));
    before[5].clear();
    // Something else on the strip, so that a mixture would differ from the set.
    New(QStringLiteral("4"));
    ModalScript open;
    QString text;
    open.ChooseFile(File(QStringLiteral("h4у.bin"))).AnswerMessage(QMessageBox::Ok, &text);
    Run(Actions().acOpen, open);
    EXPECT_TRUE(text.contains(QtPath(names[5]))) << text.toStdString();

    // F2 asks where to write; given up, it writes nothing.
    ModalScript save;
    save.CancelFileDialog();
    Run(Actions().acSave, save);
    for (std::size_t m = 0; m < names.size(); ++m) {
        if (m == 5) {
            EXPECT_FALSE(QFile::exists(QString::fromStdString(names[m])));
        } else {
            EXPECT_EQ(ReadBytes(names[m]), before[m]) << names[m];
        }
    }
    // A place the user chose gets the strip as it is.
    ModalScript saveAs;
    saveAs.ChooseFile(File("mixed.kdz"));
    Run(Actions().acSave, saveAs);
    EXPECT_EQ(Caption(), QStringLiteral("Кадрописец - mixed.kdz"));
    EXPECT_TRUE(QFile::exists(File("mixed.kdz")));
}

TEST_F(FileCommandsTest, AnIncompleteReadLeavesNoEarlierNameInTheCaption) {
    Draw();
    SaveAs(File("earlier.kdz"));
    SaveAs(File("whole.bin"));
    ASSERT_EQ(Caption(), QStringLiteral("Кадрописец - whole.bin"));
    const auto names = ModuleFileNames(dir_.File("whole.bin"));
    QFile::remove(QString::fromStdString(names[3]));
    const auto openIncomplete = [this, &names] {
        ModalScript open;
        open.ChooseFile(QString::fromStdString(names[0])).AnswerMessage(QMessageBox::Ok);
        Run(Actions().acOpen, open);
    };
    // The set's own name shown before, then another file's: neither may stay, as F2 would ask
    // for a name.
    openIncomplete();
    EXPECT_EQ(Caption(), kUntitled) << "after whole.bin";
    Open(File("earlier.kdz"));
    ASSERT_EQ(Caption(), QStringLiteral("Кадрописец - earlier.kdz"));
    openIncomplete();
    EXPECT_EQ(Caption(), kUntitled) << "after earlier.kdz";
    EXPECT_TRUE(Set().FileName.empty());
}

TEST_F(FileCommandsTest, SaveAsAndOpenBothFormats) {
    Draw();
    EXPECT_TRUE(Main().HasUnsavedChanges());
    SaveAs(File("show.kdz"));
    EXPECT_EQ(Caption(), QStringLiteral("Кадрописец - show.kdz"));
    EXPECT_FALSE(Main().HasUnsavedChanges());
    EXPECT_FALSE(Actions().acUndo->isEnabled());
    EXPECT_TRUE(Recent().isEmpty()) << "Save As leaves the recent files alone";
    FrameSet written;
    ReadDisplayFile(dir_.File("show.kdz"), written);
    EXPECT_EQ(written.FrameCount(), 2);
    EXPECT_EQ(written.SpeedAnim, 12);

    SaveAs(File("Show.BIN"));
    EXPECT_EQ(Caption(), QStringLiteral("Кадрописец - Show.BIN"));
    for (const std::string& name : ModuleFileNames(dir_.File("Show.BIN"))) {
        EXPECT_EQ(ReadBytes(name).size(), 14U) << name;
    }

    New(QStringLiteral("1"));
    Open(File("show.kdz"));
    ExpectDrawing();
    EXPECT_EQ(Caption(), QStringLiteral("Кадрописец - show.kdz"));
    EXPECT_FALSE(Main().HasUnsavedChanges());

    New(QStringLiteral("5"));
    Open(File("h2ow.BIN"));
    EXPECT_EQ(Set().FrameCount(), 2);
    EXPECT_EQ(Set().Cell(0, 3, 4), kDotSet);
    EXPECT_EQ(Main().Bottom().seSpeedAnim->value(), 1) << "a module file set holds no speeds";
    EXPECT_EQ(Caption(), QStringLiteral("Кадрописец - h2ow.BIN"));
    EXPECT_EQ(Recent(), (QStringList{File("h2ow.BIN"), File("show.kdz")}));
}

// The name chosen in the dialog is the name on disk, in the caption and in the recent list,
// Cyrillic letters included, on every system.
TEST_F(FileCommandsTest, CyrillicFileNamesArriveOnDiskAsChosen) {
    Draw();
    const QString name = QStringLiteral("Бегущая строка.kdz");
    SaveAs(File(name));
    EXPECT_EQ(Caption(), QStringLiteral("Кадрописец - Бегущая строка.kdz"));
    EXPECT_TRUE(QFile::exists(File(name)));
    EXPECT_EQ(
        std::filesystem::file_size(dir_.Path() / std::filesystem::path(u8"Бегущая строка.kdz")),
        5U + 2U * 56U);

    SaveAs(File(QStringLiteral("Щит.bin")));
    EXPECT_TRUE(QFile::exists(File(QStringLiteral("h4т.bin"))));
    New(QStringLiteral("1"));
    Open(File(name));
    ExpectDrawing();
    EXPECT_EQ(Recent(), (QStringList{File(name)}));
}

// A file named on the command line (a double-click on a .kdz on Windows) opens as Open does:
// a name relative to the working folder comes out whole in the caption and the recent list.
TEST_F(FileCommandsTest, AFileNamedAtStartOpensAsOpenDoes) {
    Draw();
    const QString name = QStringLiteral("Привет.kdz");
    SaveAs(File(name));
    New(QStringLiteral("1"));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QFileInfo(File(name)).absolutePath()));
    Main().OpenNamed(name);
    QDir::setCurrent(before);
    ExpectDrawing();
    EXPECT_EQ(Caption(), QStringLiteral("Кадрописец - Привет.kdz"));
    EXPECT_EQ(Recent(), (QStringList{File(name)}));
    EXPECT_FALSE(Main().Actions().acUndo->isEnabled()) << "nothing to undo after opening";
}

TEST_F(FileCommandsTest, SaveWritesTheDocumentsOwnFileOrAsksForOne) {
    ClickDot(1, 1);
    ModalScript script;
    script.ChooseFile(File("plain"), QStringLiteral("kdz файлы (*.kdz)"));
    Run(Actions().acSave, script);  // untitled: Save is Save As
    EXPECT_EQ(Caption(), QStringLiteral("Кадрописец - plain.kdz"));
    ClickDot(2, 2);
    Run(Actions().acSave);
    FrameSet written;
    ReadDisplayFile(dir_.File("plain.kdz"), written);
    EXPECT_EQ(written.Cell(0, 2, 2), kDotSet);

    ModalScript cancel;
    cancel.CancelFileDialog();
    Run(Actions().acSaveAs, cancel);
    EXPECT_EQ(Caption(), QStringLiteral("Кадрописец - plain.kdz"));
    EXPECT_EQ(QtPath(Set().FileName), File("plain.kdz"));
}

TEST_F(FileCommandsTest, AFailedReadOrWriteLosesNothing) {
    Draw();
    SaveAs(File("keep.kdz"));
    const auto before = ReadBytes(dir_.File("keep.kdz"));
    Run(Actions().acAdd);

    ModalScript failedSave;
    failedSave.ChooseFile(File("no/such/folder/x.kdz")).AnswerMessage(QMessageBox::Ok);
    Run(Actions().acSaveAs, failedSave);
    EXPECT_EQ(failedSave.Messages(), QStringList{QStringLiteral("Invalid filename.")});
    EXPECT_TRUE(Main().HasUnsavedChanges());
    EXPECT_EQ(Caption(), QStringLiteral("Кадрописец - keep.kdz"));
    EXPECT_EQ(QtPath(Set().FileName), File("keep.kdz"));

    QFile::remove(File("gone.kdz"));
    Main().RecentFiles().Add(File("gone.kdz"));
    ModalScript missing;
    missing.AnswerMessage(QMessageBox::No).AnswerMessage(QMessageBox::Ok);
    QMenu* recent = Main().findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    recent->actions().first()->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return missing.Finished(); }, 5000));
    EXPECT_EQ(missing.Messages().value(1), QStringLiteral("File not found."));
    EXPECT_EQ(Set().FrameCount(), 3) << "the document is still there";
    EXPECT_TRUE(Main().HasUnsavedChanges());
    EXPECT_EQ(ReadBytes(dir_.File("keep.kdz")), before);
}

TEST_F(FileCommandsTest, ClosingAsksOnlyWhenThereIsSomethingToSave) {
    Main().close();
    EXPECT_FALSE(Main().isVisible()) << "nothing to save, no question";

    Restart();
    Run(Main().Actions().acAdd);
    ModalScript cancel;
    cancel.AnswerMessage(QMessageBox::Cancel);
    Main().close();
    EXPECT_TRUE(cancel.Finished());
    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(Set().FrameCount(), 2);

    ModalScript no;
    no.AnswerMessage(QMessageBox::No);
    Main().close();
    EXPECT_FALSE(Main().isVisible());

    // Dots leave no undo step, but closing would lose them.
    Restart();
    ClickDot(5, 5);
    EXPECT_FALSE(Main().Actions().acUndo->isEnabled());
    ModalScript yes;
    QString question;
    yes.AnswerMessage(QMessageBox::Yes, &question).ChooseFile(File("dots.kdz"));
    Main().close();
    EXPECT_TRUE(yes.Finished());
    EXPECT_EQ(question, QStringLiteral("Текущий файл не сохранен. Сохранить?"));
    EXPECT_FALSE(Main().isVisible());
    FrameSet written;
    ReadDisplayFile(dir_.File("dots.kdz"), written);
    EXPECT_EQ(written.Cell(0, 5, 5), kDotSet);

    // Yes, then no file chosen: nothing was saved, so the window stays.
    Restart();
    ClickDot(6, 6);
    ModalScript changedMind;
    changedMind.AnswerMessage(QMessageBox::Yes).CancelFileDialog();
    Main().close();
    EXPECT_TRUE(changedMind.Finished());
    EXPECT_TRUE(Main().isVisible());
}

TEST_F(FileCommandsTest, TheRecentListKeepsFiveInOrderOfFirstOpening) {
    for (int i = 1; i <= 6; ++i) {
        New(QString::number(i));
        SaveAs(File(QStringLiteral("f%1.kdz").arg(i)));
    }
    for (int i = 1; i <= 6; ++i) {
        Open(File(QStringLiteral("f%1.kdz").arg(i)));
    }
    const QStringList lastFive{File("f6.kdz"), File("f5.kdz"), File("f4.kdz"), File("f3.kdz"),
                               File("f2.kdz")};
    EXPECT_EQ(Recent(), lastFive);
    Open(File("f4.kdz"));
    EXPECT_EQ(Recent(), lastFive) << "a file already listed keeps its place";
    EXPECT_EQ(Set().FrameCount(), 4);

    QFile::copy(File("f3.kdz"), File("F3.kdz"));
    Open(File("F3.kdz"));
    EXPECT_EQ(Recent().first(), File("F3.kdz")) << "letter case makes another file";
    EXPECT_EQ(Recent().size(), 5);

    QMenu* menu = Main().findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    EXPECT_EQ(menu->actions().at(0)->text(), QDir::toNativeSeparators(File("F3.kdz")))
        << "the list shows paths as the system writes them";
    menu->actions().at(3)->trigger();  // f4
    EXPECT_EQ(Recent().first(), File("f4.kdz"));
    EXPECT_EQ(Set().FrameCount(), 4);
    EXPECT_EQ(Caption(), QStringLiteral("Кадрописец - f4.kdz"));

    Restart();
    EXPECT_EQ(Recent(), (QStringList{File("f4.kdz"), File("F3.kdz"), File("f6.kdz"), File("f5.kdz"),
                                     File("f3.kdz")}));
}

TEST_F(FileCommandsTest, OpeningAskedToSaveFirst) {
    Draw();
    SaveAs(File("a.kdz"));
    New(QStringLiteral("2"));
    SaveAs(File("b.kdz"));
    Run(Main().Actions().acAdd);  // b now has 3 frames unsaved

    ModalScript script;
    script.AnswerMessage(QMessageBox::Yes).ChooseFile(File("a.kdz"));
    Run(Main().Actions().acOpen, script);
    ExpectDrawing();
    FrameSet b;
    ReadDisplayFile(dir_.File("b.kdz"), b);
    EXPECT_EQ(b.FrameCount(), 3) << "Yes saved b before a was read";
}

TEST_F(FileCommandsTest, AFileOfMoreThan256FramesSaysItWasCut) {
    // Made whole and then headed: GCC 12 at -O3 (the Windows release's build) misreads a
    // vector grown by resize as an overlapping copy.
    std::vector<std::uint8_t> bytes(5 + 300 * 56, 0xFF);
    const std::uint8_t header[] = {0, 1, 1, 0x2C, 0x01};
    std::copy(std::begin(header), std::end(header), bytes.begin());
    kadr::testing::WriteBytes(dir_.File("big.kdz"), bytes);
    ModalScript script;
    QString text;
    script.ChooseFile(File("big.kdz")).AnswerMessage(QMessageBox::Ok, &text);
    Run(Main().Actions().acOpen, script);
    EXPECT_EQ(text, QStringLiteral("Файл содержит больше 256 кадров. Прочитаны первые 256."));
    EXPECT_EQ(Set().FrameCount(), 256);
}

}  // namespace
}  // namespace kadr::editor::testing
