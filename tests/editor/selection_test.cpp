// Several frames at once in the window: picking them with Shift and Ctrl on the frame buttons, what
// the strip repaints and shows, the keys, the clipboard between editors, dragging frames along the
// strip, and a user's whole sequence compared with the same one through kadr edit.
#include <map>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QInputDialog>
#include <QMimeData>
#include <QTest>

#include "editor/app/startup_settings.h"
#include "editor/strip/frame_button.h"
#include "editor/strip/frame_grid.h"
#include "editor/strip/frame_strip.h"
#include "editor/strip/strip_drag.h"
#include "editor/strip/strip_geometry.h"
#include "editor/window/speed_box.h"
#include "frameset/display_file.h"
#include "frameset/frame_kinds.h"
#include "full_editor_fixture.h"
#include "tests/support/frames.h"
#include "tests/support/kadr_tool.h"

namespace kadr::editor::testing {
namespace {

using kadr::testing::Letters;

// Counts the paint events of every grid it watches.
class PaintCounter : public QObject {
  public:
    std::map<int, int> painted;  // by frame
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++painted[static_cast<FrameGrid*>(watched)->FrameIndex()];
        }
        return false;
    }
};

class SelectionTest : public FullEditorTest {
  protected:
    // `letters` as the document, every frame in view at "30 %".
    void Show(const std::string& letters) {
        Main().resize(3200, Main().height());
        Main().findChild<QComboBox*>(QStringLiteral("cbMashtab"))->setCurrentIndex(7);
        Main().Doc().New(static_cast<int>(letters.size()));
        for (std::size_t f = 0; f < letters.size(); ++f) {
            Set().Frames[f] = kadr::testing::LetterFrame(letters[f]);
        }
        Main().RebuildFrameStrip(Main().CellSize());
        ASSERT_EQ(Main().Strip().SlotCount(), static_cast<int>(letters.size()));
    }
    FrameButton* ButtonOf(int frame) { return Main().Strip().Button(frame - First()); }
    int First() { return Main().Strip().FirstVisibleFrame(); }
    void Press(int frame, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        FrameButton* button = ButtonOf(frame);
        QTest::mouseClick(button, Qt::LeftButton, keys, button->rect().center());
    }
    void Keys(QKeyCombination keys) {
        Main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
        Main().Strip().Grid(0)->setFocus(Qt::OtherFocusReason);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
    }
    // A drop of the strip's own drag into the gap before `before`.
    void DropBefore(int before, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        const std::unique_ptr<QMimeData> data(Main().Strip().Drag().MimeData());
        const QPoint at(GridLeft(before - First(), Main().CellSize()) + 1, 30);
        SendDrop(*data, at, keys);
    }
    // A drag entering the strip at `at`, then its drop there, as Qt delivers them.
    bool SendDrop(const QMimeData& data, QPoint at, Qt::KeyboardModifiers keys) {
        QWidget* panel = Main().findChild<QWidget*>(QStringLiteral("Panel1"));
        const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(panel, &enter);
        QDropEvent drop(at, actions, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(panel, &drop);
        QApplication::processEvents();  // the drop is applied once the drag is over
        return enter.isAccepted() || drop.isAccepted();
    }
    std::string Selected() {
        std::string text;
        Main().Doc().Selection().ForEach([&text](int f) { text += std::to_string(f) + " "; });
        return text;
    }
};

TEST_F(SelectionTest, ShiftAndCtrlPickFramesAndOnlyGridsWhoseLookChangesRepaint) {
    Show("abcdefghij");
    PaintCounter counter;
    for (int slot = 0; slot < Main().Strip().SlotCount(); ++slot) {
        Main().Strip().Grid(slot)->installEventFilter(&counter);
    }
    const auto repainted = [&counter] {
        QApplication::processEvents();
        std::string frames;
        for (const auto& [frame, count] : counter.painted) {
            frames += std::to_string(frame) + " ";
        }
        counter.painted.clear();
        return frames;
    };
    QTest::qWait(20);
    repainted();  // the strip as shown first
    Press(1);
    EXPECT_EQ(repainted(), "") << "one frame selected looks as ever";
    Press(4, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), "1 2 3 4 ");
    EXPECT_EQ(repainted(), "1 2 3 4 ");
    EXPECT_EQ(StatusText(2), QStringLiteral("Выделено кадров: 4"));
    EXPECT_EQ(Main().Strip().Grid(4)->Look(), SelectionLook::CurrentOfSeveral);
    EXPECT_EQ(Main().Strip().Grid(2)->Look(), SelectionLook::Selected);
    EXPECT_TRUE(ButtonOf(2)->isChecked());
    EXPECT_FALSE(ButtonOf(5)->isChecked());

    Press(7, Qt::ControlModifier);
    EXPECT_EQ(repainted(), "4 7 ") << "the current frame's edge moved from 4 to 7";
    Press(3, Qt::ControlModifier);
    EXPECT_EQ(Selected(), "1 2 4 7 ");
    EXPECT_EQ(repainted(), "3 ");

    // A right press on a selected frame keeps the selection for the kind menu.
    QTest::mouseClick(Main().Strip().Grid(2), Qt::RightButton);
    QApplication::activePopupWidget()->close();
    Main().Actions().mnStr->trigger();
    for (const int frame : {1, 2, 4, 7}) {
        EXPECT_EQ(GetFrameKind(Set().Frames[static_cast<std::size_t>(frame)]), fkStr) << frame;
    }
    EXPECT_EQ(GetFrameKind(Set().Frames[3]), fkAnim);
    EXPECT_EQ(Selected(), "1 2 4 7 ");

    Keys(QKeyCombination(Qt::Key_Escape));
    EXPECT_EQ(Selected(), "2 ");
    EXPECT_TRUE(StatusText(2).isEmpty());
    Keys(Qt::CTRL | Qt::Key_A);
    EXPECT_EQ(Selected(), "0 1 2 3 4 5 6 7 8 9 ");
    Main().Bottom().seSpeedAnim->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Selected(), "2 ") << "Esc picks, Ctrl+A stays with the box";
}

TEST_F(SelectionTest, AUsersSequenceGivesTheFileKadrEditGives) {
    Show("abcdefghijkl");
    const std::string start = File(QStringLiteral("start.kdz")).toStdString();
    WriteDisplayFile(start, Set());
    // Each step, its letters afterwards; each is undone by one Ctrl+Z and redone by Ctrl+Y.
    const auto step = [this](const std::function<void()>& act, const std::string& after) {
        const std::string before = Letters(Set());
        act();
        EXPECT_EQ(Letters(Set()), after);
        Keys(Qt::CTRL | Qt::Key_Z);
        EXPECT_EQ(Letters(Set()), before);
        Keys(Qt::CTRL | Qt::Key_Y);
        EXPECT_EQ(Letters(Set()), after);
    };
    Press(1);
    Press(4, Qt::ShiftModifier);
    Keys(Qt::CTRL | Qt::Key_C);
    Press(7);
    step([this] { Keys(Qt::CTRL | Qt::Key_V); }, "abcdefghbcdeijkl");
    Main().Doc().SelectFrame(8, Pick::Only);  // Redo leaves the current frame alone selected
    Main().Doc().SelectFrame(11, Pick::Run);
    step([this] { Main().Command(QStringLiteral("acReverse"))->trigger(); }, "abcdefghedcbijkl");
    Main().Doc().SelectFrame(8, Pick::Only);
    Main().Doc().SelectFrame(11, Pick::Run);
    step([this] { Main().Command(QStringLiteral("acPingPong"))->trigger(); }, "abcdefghedcbcdijkl");
    Main().Doc().SelectFrame(12, Pick::Only);
    Main().Doc().SelectFrame(13, Pick::Run);
    step(
        [this] {
            ModalScript script;
            script.Then(Answer<QInputDialog>("the repeat dialog", [](QInputDialog& dialog) {
                dialog.setIntValue(3);
                dialog.accept();
            }));
            Run(Main().Command(QStringLiteral("acRepeat")), script);
        },
        "abcdefghedcbcccdddijkl");
    Press(1);
    Press(2, Qt::ShiftModifier);
    step([this] { DropBefore(10); }, "adefghedbccbcccdddijkl");
    Press(8);
    Press(9, Qt::ShiftModifier);
    step([this] { Keys(Qt::CTRL | Qt::Key_X); }, "adefghedcbcccdddijkl");

    const std::string mine = File(QStringLiteral("editor.kdz")).toStdString();
    const std::string theirs = File(QStringLiteral("kadr.kdz")).toStdString();
    WriteDisplayFile(mine, Set());
    const auto r =
        kadr::testing::Kadr({"edit",       start,        theirs,       "select:1-4", "copy",
                             "select:7",   "paste",      "reverse",    "pingpong",   "select:12-13",
                             "repeat:3",   "select:1-2", "move-right", "move-right", "move-right",
                             "move-right", "move-right", "move-right", "move-right", "cut"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(kadr::testing::ReadBytes(mine), kadr::testing::ReadBytes(theirs));
}

TEST_F(SelectionTest, FramesTravelBetweenEditorsAndOldCopiesStillPasteOneFrame) {
    Show("abcdef");
    Press(1);
    Press(3, Qt::ShiftModifier);
    Main().Actions().acCopy->trigger();
    TfmMain other;
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    other.Doc().New(2);
    other.Actions().acPaste->trigger();
    EXPECT_EQ(Letters(other.Doc().Set()), "?bcd?") << "after the current frame";

    // An older editor's copy: one frame under the first format only.
    auto* data = new QMimeData;
    data->setData(ClipboardFormat(),
                  QByteArray(reinterpret_cast<const char*>(kadr::testing::LetterFrame('z').data()),
                             kFrameBytes));
    QGuiApplication::clipboard()->setMimeData(data);
    Press(5);
    Main().Actions().acPaste->trigger();
    EXPECT_EQ(Letters(Set()), "abcdez");

    // Copies past 256 frames are refused, with what to do, and nothing changes.
    Press(0);
    Main().Doc().SelectAll();
    Main().Actions().acCopy->trigger();
    other.Doc().New(252);
    ModalScript script;
    QString text;
    script.AnswerMessage(QMessageBox::Ok, &text);
    other.Actions().acPaste->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return script.Finished(); }, 5000));
    EXPECT_TRUE(text.contains(QStringLiteral("больше 256"))) << text.toStdString();
    EXPECT_EQ(other.Doc().Set().FrameCount(), 252);
    EXPECT_FALSE(other.Doc().Modified());
}

TEST_F(SelectionTest, CtrlAtTheDropCopiesAndForeignDropsAreRefused) {
    Show("abcde");
    Press(0);
    Press(1, Qt::ControlModifier);
    DropBefore(5, Qt::ControlModifier);
    EXPECT_EQ(Letters(Set()), "abcdeab");
    EXPECT_EQ(Selected(), "5 6 ");

    QMimeData foreign;
    foreign.setText(QStringLiteral("abc"));
    EXPECT_FALSE(SendDrop(foreign, QPoint(5, 30), Qt::NoModifier));
    EXPECT_EQ(Letters(Set()), "abcdeab");
}

}  // namespace
}  // namespace kadr::editor::testing
