// The preview window: opened by F5 from the "Вид" menu, playing the document on a clock, stepping,
// following every change of the document and remembering its LED colour.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include "editor/preview/preview_window.h"
#include "editor/widgets/led_panel.h"
#include "editor/window/preview_command.h"
#include "editor/window/speed_box.h"
#include "editor_window_fixture.h"
#include "frameset/frame_kinds.h"

namespace kadr::editor::testing {
namespace {

using std::chrono::milliseconds;

class PreviewTest : public EditorWindowTest {
  protected:
    TfmPreview* Preview() const { return window_->findChild<PreviewCommand*>()->Window(); }

    // Opens the preview with F5 as the user would, then hands its clock to the test and plays
    // from the first step.
    TfmPreview* OpenWithTestClock() {
        TriggerShortcut(window_->Bottom().seSpeedRow, QKeySequence(Qt::Key_F5));
        TfmPreview* preview = Preview();
        if (preview == nullptr) {
            ADD_FAILURE() << "F5 opened no preview";
            return nullptr;
        }
        preview->SetClock([this] { return now_; });
        preview->SeekTo(0);
        return preview;
    }
    void Advance(TfmPreview& preview, milliseconds by) {
        now_ += by;
        preview.Refresh();
    }
    // Frames of the given kinds; frame f has its one dot at column f, dot row 1.
    void MakeSet(std::initializer_list<void (*)(Frame&)> kinds) {
        NewDocument(static_cast<int>(kinds.size()));
        int f = 0;
        for (auto kind : kinds) {
            Frame& frame = Set().Frames[static_cast<std::size_t>(f)];
            kind(frame);
            frame[CellIndex(f, 1)] = kDotSet;
            ++f;
        }
    }
    playback::Picture DotAt(int column) const {
        playback::Picture picture;
        picture.SetLit(column, 0, true);
        return picture;
    }
    QString PositionText() const { return Preview()->lbPosition->text(); }

    std::chrono::nanoseconds now_{std::chrono::hours(1)};
};

TEST_F(PreviewTest, F5InTheViewMenuOpensTheWindowAndClosingStopsIt) {
    QStringList menus;
    for (QAction* item : window_->menuBar()->actions()) {
        menus << item->text();
    }
    EXPECT_EQ(menus, (QStringList{QStringLiteral("&Файл"), QStringLiteral("&Правка"),
                                  QStringLiteral("П&араметры"), QStringLiteral("&Вид"),
                                  QStringLiteral("По&мощь")}));
    QAction* command = window_->findChild<PreviewCommand*>()->Action();
    EXPECT_EQ(command->text(), QStringLiteral("Просмотр"));
    EXPECT_EQ(command->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(Preview(), nullptr) << "made when first asked for";

    TriggerShortcut(Grid(0), QKeySequence(Qt::Key_F5));
    TfmPreview* preview = Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Просмотр"));
    EXPECT_TRUE(preview->Playing());
    EXPECT_FALSE(preview->isModal());
    EXPECT_EQ(preview->btPlay->text(), QStringLiteral("Пауза"));
    EXPECT_EQ(PositionText(), QStringLiteral("Кадр 1 из 1"));

    preview->close();
    EXPECT_FALSE(preview->Playing());
    EXPECT_EQ(preview->btPlay->text(), QStringLiteral("Пуск"));
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    TriggerShortcut(window_->Bottom().seSpeedAnim, QKeySequence(Qt::Key_F5));
    EXPECT_EQ(Preview(), preview) << "the same window comes back";
    EXPECT_TRUE(preview->isVisible());
    EXPECT_TRUE(preview->Playing());
}

TEST_F(PreviewTest, TwoAnimationFramesAtTwoFramesASecondAlternateEveryHalfSecond) {
    MakeSet({SetAnim, SetAnim});
    window_->Bottom().seSpeedAnim->setValue(2);
    TfmPreview* preview = OpenWithTestClock();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->Panel()->Picture(), DotAt(0));
    Advance(*preview, milliseconds(499));
    EXPECT_EQ(preview->Panel()->Picture(), DotAt(0));
    Advance(*preview, milliseconds(1));
    EXPECT_EQ(preview->Panel()->Picture(), DotAt(1));
    EXPECT_EQ(PositionText(), QStringLiteral("Кадр 2 из 2"));
    Advance(*preview, milliseconds(500));
    EXPECT_EQ(preview->Panel()->Picture(), DotAt(0));
    EXPECT_EQ(preview->lbNotes->count(), 1);
    EXPECT_EQ(preview->lbNotes->item(0)->text(), QStringLiteral("Замечаний нет"));

    // On the real clock the step timer moves it on by itself.
    preview->SetClock([] {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    });
    preview->SeekTo(0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return preview->CurrentStep() == 1; }, 5000));
}

TEST_F(PreviewTest, StepsThroughARunningLineAndShowsThePositionInWords) {
    MakeSet({SetBegStr, SetStr, SetStr, SetStr, SetEndStr});
    window_->Bottom().seSpeedRow->setValue(10);
    TfmPreview* preview = OpenWithTestClock();
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(preview->Timeline().steps.size(), 111U);
    EXPECT_DOUBLE_EQ(preview->Timeline().TotalMs(), 11100.0);
    EXPECT_EQ(PositionText(), QStringLiteral("Строка: шаг 1 из 111"));
    EXPECT_EQ(preview->slPosition->maximum(), 110);

    QTest::mouseClick(preview->btForward, Qt::LeftButton);
    EXPECT_FALSE(preview->Playing()) << "stepping pauses";
    EXPECT_EQ(PositionText(), QStringLiteral("Строка: шаг 2 из 111"));
    Advance(*preview, milliseconds(5000));
    EXPECT_EQ(preview->CurrentStep(), 1U) << "paused stays put";
    QTest::mouseClick(preview->btBack, Qt::LeftButton);
    QTest::mouseClick(preview->btBack, Qt::LeftButton);
    EXPECT_EQ(PositionText(), QStringLiteral("Строка: шаг 111 из 111")) << "back past the start";
    EXPECT_EQ(preview->slPosition->value(), 110);
    // The last step: frame 3's column 0..27 has the dot of frame 3 at column 3, long gone;
    // only strip column 83 (dark) remains in display column 0.
    EXPECT_EQ(preview->Panel()->Picture(), playback::Picture{});

    // Frame 1's dot (strip column 1) enters the display at step 27 in column 26... and at
    // step 28 it is in column 25+1.
    preview->slPosition->setValue(28);
    EXPECT_EQ(preview->Panel()->Picture(), DotAt(0));
    EXPECT_EQ(PositionText(), QStringLiteral("Строка: шаг 29 из 111"));

    QTest::mouseClick(preview->btPlay, Qt::LeftButton);
    EXPECT_TRUE(preview->Playing());
    Advance(*preview, milliseconds(100));
    EXPECT_EQ(preview->CurrentStep(), 29U);
}

TEST_F(PreviewTest, FollowsEditsSpeedsAndKindsWhilePlaying) {
    MakeSet({SetAnim, SetAnim, SetAnim});
    window_->Bottom().seSpeedAnim->setValue(2);
    TfmPreview* preview = OpenWithTestClock();
    ASSERT_NE(preview, nullptr);
    Advance(*preview, milliseconds(750));  // halfway through frame 2
    ASSERT_EQ(preview->CurrentStep(), 1U);

    // A new speed takes effect at once: half of frame 2's new 100 ms is left.
    SpeedBox* speed = window_->Bottom().seSpeedAnim;
    speed->setFocus();
    QTest::keyClick(speed, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(speed, Qt::Key_Backspace);
    QTest::keyClicks(speed, QStringLiteral("10"));
    ASSERT_EQ(Set().SpeedAnim, 10);
    // Leave it to the window's own look at the document.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return preview->Timeline().steps[0].durationMs == 100.0; }, 2000));
    EXPECT_EQ(preview->CurrentStep(), 1U);
    Advance(*preview, milliseconds(49));
    EXPECT_EQ(preview->CurrentStep(), 1U);
    Advance(*preview, milliseconds(2));
    EXPECT_EQ(preview->CurrentStep(), 2U);

    // A dot drawn in the editor shows in the step that plays that frame.
    preview->StepBack();
    ASSERT_EQ(preview->CurrentStep(), 1U);
    ChooseScale(QStringLiteral("30 %"));
    ASSERT_NE(Grid(1), nullptr);
    Click(*Grid(1), 9, 9);
    preview->FollowDocument();
    EXPECT_TRUE(preview->Panel()->Picture().Lit(9, 8)) << "grid row 9 is frame row 10";

    // A kind set from the frame menu: the first frame becomes an end with no start.
    Click(*Grid(0), 0, 3);
    window_->Actions().mnEndStr->trigger();
    preview->FollowDocument();
    EXPECT_EQ(preview->Timeline().steps.size(), 2U);
    ASSERT_EQ(preview->lbNotes->count(), 1);
    EXPECT_EQ(preview->lbNotes->item(0)->text(),
              QStringLiteral("Кадр 1: конец бегущей строки без начала; пропущен"));

    // An empty set plays nothing and says so.
    NewDocument(0);
    preview->FollowDocument();
    EXPECT_TRUE(preview->Timeline().Empty());
    EXPECT_EQ(PositionText(), QStringLiteral("Нет кадров для показа"));
    EXPECT_FALSE(preview->btPlay->isEnabled());
    EXPECT_EQ(preview->lbNotes->item(0)->text(), QStringLiteral("Нет кадров: показывать нечего"));
}

// Counts what wakes the editor: timer events of any object (those of the preview and what it owns
// apart), and repaints of the preview's LED panel.
class WakeCounter : public QObject {
  public:
    explicit WakeCounter(TfmPreview& preview) : preview_(preview) {
        qApp->installEventFilter(this);
    }
    ~WakeCounter() override { qApp->removeEventFilter(this); }
    int anyTimers = 0;  // anywhere in the program
    int timers = 0;
    int stepTimer = 0;  // of those, the timer that moves the playback on
    int paints = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Timer) {
            ++anyTimers;
        }
        if (event->type() == QEvent::Timer && OwnedByPreview(watched)) {
            ++timers;
            if (watched->objectName() == QStringLiteral("StepTimer")) {
                ++stepTimer;
            }
        }
        if (event->type() == QEvent::Paint && watched == preview_.Panel()) {
            ++paints;
        }
        return false;
    }

  private:
    bool OwnedByPreview(const QObject* object) const {
        for (; object != nullptr; object = object->parent()) {
            if (object == &preview_) {
                return true;
            }
        }
        return false;
    }
    TfmPreview& preview_;
};

TEST_F(PreviewTest, APausedPreviewWakesForNothingAndAnEditShowsAtOnce) {
    MakeSet({SetAnim, SetAnim});
    TfmPreview* preview = OpenWithTestClock();
    ASSERT_NE(preview, nullptr);
    preview->PlayPause();
    ASSERT_FALSE(preview->Playing());
    QTest::qWait(100);  // let the opening's own repaints through
    WakeCounter wakes(*preview);
    QTest::qWait(400);
    EXPECT_EQ(wakes.anyTimers, 0) << "no polling while nothing plays";
    EXPECT_EQ(wakes.timers, 0);
    EXPECT_EQ(wakes.paints, 0);

    // A dot drawn in frame 0, the frame on show: in the panel without a single timer tick.
    Click(*Grid(0), 5, 2);
    EXPECT_TRUE(preview->Panel()->Picture().Lit(5, 1));
    EXPECT_TRUE(preview->Panel()->Picture().Lit(0, 0)) << "frame 0's own dot";
    window_->Actions().acClear->trigger();
    EXPECT_EQ(preview->Panel()->Picture(), playback::Picture{});
    window_->Actions().acUndo->trigger();
    EXPECT_TRUE(preview->Panel()->Picture().Lit(5, 1));
    EXPECT_EQ(wakes.stepTimer, 0) << "no step was due";

    // The edits' own repaints and list updates settle; then it sleeps again.
    QTest::qWait(200);
    WakeCounter later(*preview);
    QTest::qWait(300);
    EXPECT_EQ(later.timers, 0) << "still paused";
    EXPECT_EQ(later.paints, 0);
    EXPECT_EQ(wakes.stepTimer, 0);
}

TEST_F(PreviewTest, LedsAreDrawnInTheChosenColourWhichIsRemembered) {
    MakeSet({SetAnim});
    TfmPreview* preview = OpenWithTestClock();
    ASSERT_NE(preview, nullptr);
    preview->cbColour->setCurrentIndex(preview->cbColour->findText(QStringLiteral("Зелёный")));
    preview->seDotSize->setValue(16);
    LedPanel* panel = preview->Panel();
    EXPECT_EQ(panel->size(), QSize(30 * 16, 17 * 16));
    const QImage image = panel->grab().toImage();
    const playback::Rgb lit = playback::LitRgb(playback::LedColour::Green);
    const playback::Rgb unlit = playback::UnlitRgb(playback::LedColour::Green);
    const playback::Rgb dark = playback::PanelRgb();
    EXPECT_EQ(image.pixelColor(panel->LedCentre(0, 0)), QColor(lit.r, lit.g, lit.b));
    EXPECT_EQ(image.pixelColor(panel->LedCentre(1, 0)), QColor(unlit.r, unlit.g, unlit.b));
    // Between the module rows: dark panel.
    EXPECT_EQ(image.pixelColor(panel->LedCentre(5, 6) + QPoint(0, 16)),
              QColor(dark.r, dark.g, dark.b));

    TfmPreview again(window_->Doc(), nullptr);
    EXPECT_EQ(again.cbColour->currentText(), QStringLiteral("Зелёный"));
    EXPECT_EQ(again.Panel()->Colour(), playback::LedColour::Green);
    EXPECT_EQ(again.seDotSize->value(), 16);
}

}  // namespace
}  // namespace kadr::editor::testing
