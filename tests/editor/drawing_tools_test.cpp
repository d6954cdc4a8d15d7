// The drawing tools, transforms, frame moves, previous-frame view and picture import as a user
// meets them in the window.
#if !defined(_WIN32)
#include <sys/stat.h>  // mkfifo
#endif

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QMenuBar>
#include <QScrollBar>
#include <QSlider>
#include <QToolBar>

#include "editor/dialogs/import_dialog.h"
#include "editor/strip/cell_painter.h"
#include "editor/strip/frame_strip.h"
#include "editor/window/drawing_commands.h"
#include "editor/window/speed_box.h"
#include "editor_window_fixture.h"
#include "frameset/frame_kinds.h"
#include "modal_script.h"
#include "tests/support/temp_dir.h"

namespace kadr::editor::testing {
namespace {

class DrawingToolsTest : public EditorWindowTest {
  protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        NewDocument(3);
        SetStripWidth(1000);
        ASSERT_EQ(SlotCount(), 3);
    }
    DrawingCommands& Drawing() { return window_->Drawing(); }
    void Choose(Tool tool) { Drawing().tools[static_cast<std::size_t>(tool)]->trigger(); }
    void Drag(FrameGrid& grid, QPoint from, QPoint to, Qt::KeyboardModifiers keys = {}) {
        QTest::mousePress(&grid, Qt::LeftButton, keys, CellCentre(grid, from.x(), from.y()));
        QTest::mouseMove(&grid, CellCentre(grid, to.x(), to.y()));
        QTest::mouseRelease(&grid, Qt::LeftButton, keys, CellCentre(grid, to.x(), to.y()));
    }
    int Steps() const { return window_->Doc().History().Position(); }
    int SetDots(int frame) {
        int count = 0;
        for (int c = 0; c < kColumns; ++c) {
            for (int g = 1; g < 15; ++g) {
                count += Dot(frame, c, g) == kDotSet;
            }
        }
        return count;
    }
};

TEST_F(DrawingToolsTest, ARectangleShowsWhileDraggedAndIsOneUndoStepOnRelease) {
    Choose(Tool::Rectangle);
    FrameGrid& grid = *Grid(1);
    QTest::mousePress(&grid, Qt::LeftButton, {}, CellCentre(grid, 2, 2));
    QTest::mouseMove(&grid, CellCentre(grid, 6, 6));
    QTest::mouseMove(&grid, CellCentre(grid, 12, 10));
    EXPECT_EQ(Steps(), 0) << "nothing is recorded while the button is down";
    EXPECT_EQ(SetDots(1), 0);
    QImage shown = Grab(grid);
    EXPECT_EQ(PixelOfCell(shown, grid, 12, 10), QColor(0, 0, 0)) << "the preview shows the shape";
    EXPECT_EQ(PixelOfCell(shown, grid, 6, 6), QColor(255, 255, 255));
    QTest::mouseRelease(&grid, Qt::LeftButton, {}, CellCentre(grid, 12, 10));

    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(SetDots(1), 2 * 11 + 2 * 7);
    EXPECT_EQ(Dot(1, 2, 2), kDotSet);
    EXPECT_EQ(Dot(1, 12, 10), kDotSet);
    EXPECT_EQ(Dot(1, 6, 6), kDotBlank);
    EXPECT_EQ(Set().CurFrame, 1);
    EXPECT_TRUE(window_->Actions().acUndo->isEnabled());
    window_->Actions().acUndo->trigger();
    EXPECT_EQ(SetDots(1), 0);
    EXPECT_EQ(Steps(), 0);
}

TEST_F(DrawingToolsTest, FillCrossesTheModuleSeamAndShiftClears) {
    Choose(Tool::Rectangle);
    FrameGrid& grid = *Grid(0);
    Drag(grid, {3, 4}, {9, 11});  // grid rows 4..11 hold frame rows 4..7 and 9..12
    Choose(Tool::Fill);
    QTest::mouseClick(&grid, Qt::LeftButton, {}, CellCentre(grid, 5, 5));
    EXPECT_EQ(Steps(), 2);
    EXPECT_EQ(SetDots(0), 7 * 8);
    EXPECT_EQ(Dot(0, 5, 9), kDotSet) << "below the seam";
    EXPECT_EQ(Dot(0, 2, 5), kDotBlank) << "outside the wall";
    EXPECT_EQ(Set().Frames[0][CellIndex(5, 8)], kDotBlank) << "the mark row stays";
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ShiftModifier, CellCentre(grid, 5, 5));
    EXPECT_EQ(SetDots(0), 0);
    EXPECT_EQ(Steps(), 3);
}

TEST_F(DrawingToolsTest, StartAndEndFramesAndTheDotToolAreLeftAsBefore) {
    SetCurrentFrame(2);
    window_->Actions().mnBegStr->trigger();
    const int steps = Steps();
    const Frame start = Set().Frames[2];
    for (Tool tool : {Tool::Line, Tool::Box, Tool::Fill}) {
        Choose(tool);
        Drag(*Grid(2), {1, 1}, {20, 12});
    }
    EXPECT_EQ(Set().Frames[2], start);
    EXPECT_EQ(Steps(), steps);

    // Back to "Точка": a click toggles and records nothing, as always.
    Choose(Tool::Dot);
    Click(*Grid(0), 4, 4);
    EXPECT_EQ(Dot(0, 4, 4), kDotSet);
    EXPECT_EQ(Steps(), steps);
}

TEST_F(DrawingToolsTest, TransformsAreRecordedAndKeepTheKind) {
    SetCurrentFrame(0);
    Click(*Grid(0), 0, 1);
    window_->Actions().mnStr->trigger();
    Drawing().acFlipHorizontal->trigger();
    EXPECT_EQ(Dot(0, 27, 1), kDotSet);
    Drawing().acFlipVertical->trigger();
    EXPECT_EQ(Dot(0, 27, 14), kDotSet);
    Drawing().acInvert->trigger();
    EXPECT_EQ(SetDots(0), 14 * 28 - 1);
    EXPECT_EQ(GetFrameKind(Set().Frames[0]), fkStr);
    EXPECT_EQ(Steps(), 4);
}

TEST_F(DrawingToolsTest, FrameMovesCarryTheFrameAndItsButtonAndStopAtTheEnds) {
    SetStripWidth(400);  // one slot at "100 %"
    ASSERT_EQ(SlotCount(), 1);
    Click(*Grid(0), 5, 5);  // frame 0 gets a dot of its own
    const Frame moved = Set().Frames[0];
    Drawing().acFrameLeft->trigger();
    EXPECT_EQ(Steps(), 0) << "the first frame cannot go further left";
    EXPECT_EQ(Set().CurFrame, 0);

    TriggerShortcut(Grid(0), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Right));
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(Set().CurFrame, 1);
    EXPECT_EQ(Set().Frames[1], moved);
    EXPECT_EQ(window_->findChild<QScrollBar*>(QStringLiteral("ScrollBar1"))->value(), 1);
    EXPECT_TRUE(Button(0)->isChecked());
    EXPECT_EQ(Button(0)->text(), QStringLiteral("2"));
    EXPECT_EQ(Grid(0)->FrameIndex(), 1);

    // From a speed box too, which would take the keys for selecting text.
    TriggerShortcut(window_->Bottom().seSpeedAnim,
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Right));
    Drawing().acFrameRight->trigger();
    EXPECT_EQ(Set().CurFrame, 2);
    EXPECT_EQ(Steps(), 2);
    window_->Actions().acUndo->trigger();
    window_->Actions().acUndo->trigger();
    EXPECT_EQ(Set().Frames[0], moved);
}

TEST_F(DrawingToolsTest, PreviousFrameShowsItsDotsInLightGrey) {
    Click(*Grid(0), 3, 3);
    Click(*Grid(1), 4, 4);
    Click(*Grid(0), 4, 4);  // set in both: black, not grey
    EXPECT_EQ(PixelOfCell(Grab(*Grid(1)), *Grid(1), 3, 3), QColor(255, 255, 255));
    Drawing().acOnionSkin->setChecked(true);
    QImage shown = Grab(*Grid(1));
    EXPECT_EQ(PixelOfCell(shown, *Grid(1), 3, 3), cell_colours::kOnionSkin);
    EXPECT_EQ(PixelOfCell(shown, *Grid(1), 4, 4), QColor(0, 0, 0));
    EXPECT_EQ(PixelOfCell(Grab(*Grid(0)), *Grid(0), 3, 3), QColor(0, 0, 0));
    // The frame set is not touched, and a start frame shows only its tint.
    EXPECT_EQ(Dot(1, 3, 3), kDotBlank);
    SetCurrentFrame(2);
    window_->Actions().mnBegStr->trigger();
    Click(*Grid(1), 6, 6);
    EXPECT_EQ(PixelOfCell(Grab(*Grid(2)), *Grid(2), 6, 6), cell_colours::kStartTint);
    Drawing().acOnionSkin->setChecked(false);
    EXPECT_EQ(PixelOfCell(Grab(*Grid(1)), *Grid(1), 3, 3), QColor(255, 255, 255));
}

TEST_F(DrawingToolsTest, PreviousFrameIsRememberedForTheNextRun) {
    EXPECT_FALSE(Drawing().acOnionSkin->isChecked()) << "off by default";
    Drawing().acOnionSkin->setChecked(true);
    window_.reset();
    TfmMain next;
    EXPECT_TRUE(next.Drawing().acOnionSkin->isChecked());
    EXPECT_TRUE(next.Strip().OnionSkin());
    next.Drawing().acOnionSkin->setChecked(false);
    TfmMain third;
    EXPECT_FALSE(third.Drawing().acOnionSkin->isChecked());
}

TEST_F(DrawingToolsTest, NewCommandsComeAfterTheExistingOnes) {
    QMenuBar* bar = window_->menuBar();
    QStringList titles;
    for (QAction* menu : bar->actions()) {
        titles << menu->text();
    }
    EXPECT_EQ(titles.indexOf(QStringLiteral("&Вид")),
              titles.indexOf(QStringLiteral("П&араметры")) + 1);
    QMenu* file = bar->actions().first()->menu();
    EXPECT_EQ(file->actions().last(), Drawing().acImport);
    EXPECT_EQ(file->actions().at(file->actions().size() - 3), window_->Actions().acExit);
    QMenu* edit = bar->actions().at(1)->menu();
    EXPECT_GT(edit->actions().indexOf(Drawing().acFrameRight),
              edit->actions().indexOf(window_->Actions().acDelete));
    const QList<QAction*> buttons = window_->findChild<QToolBar*>()->actions();
    EXPECT_EQ(buttons.last(), Drawing().tools.back());
    EXPECT_TRUE(Drawing().tools.front()->isChecked());
}

class PictureImportTest : public DrawingToolsTest {
  protected:
    // Runs the import of `image` through the dialog, which `adjust` may change before OK.
    void Import(const QImage& image, std::function<void(TfmImport&)> adjust = {}) {
        const QString path = QString::fromStdString(dir_.File("picture.png"));
        ASSERT_TRUE(image.save(path, "PNG"));
        ModalScript script;
        script.Then(Answer<TfmImport>("the import dialog", [adjust](TfmImport& dialog) {
            if (adjust) {
                adjust(dialog);
            }
            dialog.accept();
        }));
        Drawing().ImportPicture(path);
        EXPECT_TRUE(script.Finished());
    }
    kadr::testing::TempDir dir_;
};

TEST_F(PictureImportTest, KnownDotsArriveExactlyAfterTheCurrentFrame) {
    QImage image(28, 14, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixelColor(0, 0, Qt::black);
    image.setPixelColor(27, 13, QColor(90, 90, 90));  // dark enough for the default threshold
    image.setPixelColor(10, 6, QColor(150, 150, 150));
    SetCurrentFrame(0);
    Import(image);
    EXPECT_EQ(Set().FrameCount(), 4);
    EXPECT_EQ(Set().CurFrame, 1);
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(SetDots(1), 2);
    EXPECT_EQ(Dot(1, 0, 1), kDotSet);
    EXPECT_EQ(Dot(1, 27, 14), kDotSet);

    // The slider's threshold is what decides: at 200 the light grey dot is in too.
    Import(image, [](TfmImport& dialog) { dialog.Threshold()->setValue(200); });
    EXPECT_EQ(Set().CurFrame, 2);
    EXPECT_EQ(SetDots(2), 3);
    EXPECT_EQ(Dot(2, 10, 7), kDotSet);
    window_->Actions().acUndo->trigger();
    window_->Actions().acUndo->trigger();
    EXPECT_EQ(Set().FrameCount(), 3);
}

TEST_F(PictureImportTest, ABannerBecomesARunningLineAndTooManyFramesAreRefused) {
    QImage banner(280, 14, QImage::Format_RGB32);
    banner.fill(Qt::black);
    SetCurrentFrame(2);
    Import(banner, [](TfmImport& dialog) {
        dialog.RunningLine()->setChecked(true);
        EXPECT_EQ(dialog.Frames().size(), 12u);
    });
    ASSERT_EQ(Set().FrameCount(), 15);
    EXPECT_EQ(GetFrameKind(Set().Frames[3]), fkBegStr);
    for (int f = 4; f < 14; ++f) {
        EXPECT_EQ(GetFrameKind(Set().Frames[static_cast<std::size_t>(f)]), fkStr);
        EXPECT_EQ(SetDots(f), 14 * 28);
    }
    EXPECT_EQ(GetFrameKind(Set().Frames[14]), fkEndStr);

    NewDocument(250);
    const QString path = QString::fromStdString(dir_.File("banner.png"));
    ASSERT_TRUE(banner.save(path, "PNG"));
    ModalScript script;
    QString message;
    script
        .Then([](QWidget* modal) {
            auto* dialog = qobject_cast<TfmImport*>(modal);
            dialog->RunningLine()->setChecked(true);
            dialog->accept();
            return true;
        })
        .AnswerMessage(QMessageBox::Ok, &message);
    Drawing().ImportPicture(path);
    EXPECT_TRUE(script.Finished());
    EXPECT_NE(message.indexOf(QStringLiteral("256")), -1) << message.toStdString();
    EXPECT_EQ(Set().FrameCount(), 250);
    EXPECT_EQ(Steps(), 0);
}

TEST_F(PictureImportTest, AnUnreadablePictureGivesAMessageAndNoDialog) {
    const std::string path = dir_.File("not-a-picture.png");
    kadr::testing::WriteBytes(path, {1, 2, 3, 4});
    ModalScript script;
    QString message;
    script.AnswerMessage(QMessageBox::Ok, &message);
    Drawing().ImportPicture(QString::fromStdString(path));
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(Set().FrameCount(), 3);
}

#if !defined(_WIN32)
TEST_F(PictureImportTest, OpeningAPipeShowsAMessageInsteadOfWaiting) {
    const std::string fifo = dir_.File("pipe.kdz");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Click(*Grid(0), 2, 2);
    ModalScript script;
    QString message;
    script.AnswerMessage(QMessageBox::Ok, &message);
    window_->Load(QString::fromStdString(fifo));
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(message, QStringLiteral("Not a regular file."));
    EXPECT_EQ(Set().FrameCount(), 3);
    EXPECT_EQ(Dot(0, 2, 2), kDotSet) << "the document stays as it was";
}
#endif

}  // namespace
}  // namespace kadr::editor::testing
