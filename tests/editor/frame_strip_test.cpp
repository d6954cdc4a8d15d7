// The frame strip: how many slots a strip panel holds, the scroll bar, the current frame's clamp
// and how scrolling carries the down button's frame along.
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>

#include "editor/strip/frame_strip.h"
#include "editor/strip/strip_geometry.h"
#include "editor_window_fixture.h"

namespace kadr::editor::testing {
namespace {

class FrameStripTest : public EditorWindowTest {
  protected:
    QScrollBar* Bar() const {
        return window_->findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
    }
    QString Status() const { return window_->StatusPanel(0)->text(); }
    int DownSlot() const {
        int down = -1;
        for (int slot = 0; slot < SlotCount(); ++slot) {
            if (Button(slot)->isChecked()) {
                EXPECT_EQ(down, -1) << "two frame buttons down";
                down = slot;
            }
        }
        return down;
    }
};

TEST_F(FrameStripTest, EveryScaleLaysOutGridsButtonsAndPanelByTheSlotFormulas) {
    struct Worked {
        const char* scale;
        int gridWidth, gridHeight, stride, buttonTop, panelHeight;
    };
    const Worked table[] = {
        {"100 %", 312, 169, 313, 175, 204}, {"90 %", 284, 154, 285, 160, 189},
        {"80 %", 256, 139, 257, 145, 174},  {"70 %", 228, 124, 229, 130, 159},
        {"60 %", 200, 109, 201, 115, 144},  {"50 %", 172, 94, 173, 100, 129},
        {"40 %", 144, 79, 145, 85, 114},    {"30 %", 116, 64, 117, 70, 99},
    };
    NewDocument(3);
    SetStripWidth(1000);
    for (const Worked& worked : table) {
        SCOPED_TRACE(worked.scale);
        ChooseScale(QString::fromUtf8(worked.scale));
        ASSERT_GE(SlotCount(), 2);
        EXPECT_EQ(Grid(0)->geometry(), QRect(2, 2, worked.gridWidth, worked.gridHeight));
        EXPECT_EQ(Grid(1)->geometry(),
                  QRect(2 + worked.gridWidth, 2, worked.gridWidth, worked.gridHeight));
        EXPECT_EQ(Button(1)->geometry(),
                  QRect(2 + worked.gridWidth, worked.buttonTop, worked.stride, 22));
        EXPECT_EQ(Panel1()->height(), worked.panelHeight);
    }
}

TEST_F(FrameStripTest, OneFrameFitsA590PixelStripAt100Percent) {
    SetStripWidth(590);
    EXPECT_EQ(SlotCount(), 1);
    EXPECT_FALSE(Bar()->isEnabled());
    EXPECT_EQ(Bar()->maximum(), 0);
    EXPECT_EQ(Status(), QStringLiteral("Кадров = 1"));
    EXPECT_EQ(Button(0)->text(), QStringLiteral("1"));
    EXPECT_TRUE(Button(0)->isChecked());
}

TEST_F(FrameStripTest, TwoFramesNeedTheScrollBarAndScrollingShowsTheSecond) {
    NewDocument(2);
    SetStripWidth(590);
    ASSERT_EQ(SlotCount(), 1);
    EXPECT_TRUE(Bar()->isEnabled());
    EXPECT_EQ(Bar()->maximum(), 1);
    EXPECT_EQ(Status(), QStringLiteral("Кадров = 2"));

    Bar()->setValue(1);
    EXPECT_EQ(Grid(0)->FrameIndex(), 1);
    EXPECT_EQ(Button(0)->text(), QStringLiteral("2"));
}

TEST_F(FrameStripTest, EightFramesAt30PercentGetFiveSlots) {
    NewDocument(8);
    ChooseScale(QStringLiteral("30 %"));
    SetStripWidth(590);
    EXPECT_EQ(SlotCount(), 5);
    EXPECT_EQ(Grid(4)->FrameIndex(), 4);
    EXPECT_EQ(Bar()->maximum(), 3);
    EXPECT_TRUE(Bar()->isEnabled());
}

TEST_F(FrameStripTest, AStripThatExactlyFitsEveryFrameStillEnablesTheBar) {
    NewDocument(2);
    ChooseScale(QStringLiteral("30 %"));
    SetStripWidth(234);  // two slots of 117 pixels at 30 %
    EXPECT_EQ(SlotCount(), 2);
    EXPECT_TRUE(Bar()->isEnabled());
    EXPECT_EQ(Bar()->maximum(), 0);

    SetStripWidth(235);
    EXPECT_FALSE(Bar()->isEnabled());
}

TEST_F(FrameStripTest, ACurrentFrameBeyondTheLastSlotIsLoweredIntoIt) {
    NewDocument(8);
    ChooseScale(QStringLiteral("30 %"));
    SetStripWidth(590);
    SetCurrentFrame(6);
    Rebuild();
    EXPECT_EQ(Set().CurFrame, 4);
    ASSERT_EQ(DownSlot(), 4);
    EXPECT_EQ(Button(4)->text(), QStringLiteral("5"));
}

TEST_F(FrameStripTest, ScrollingCarriesTheDownButtonsFrameAlong) {
    NewDocument(8);
    ChooseScale(QStringLiteral("30 %"));
    SetStripWidth(590);
    QTest::mouseClick(Button(2), Qt::LeftButton);
    ASSERT_EQ(Set().CurFrame, 2);

    Bar()->setValue(2);
    EXPECT_EQ(Set().CurFrame, 4);
    ASSERT_EQ(DownSlot(), 2);
    EXPECT_EQ(Button(2)->text(), QStringLiteral("5"));
    EXPECT_EQ(Grid(2)->FrameIndex(), 4);
}

TEST_F(FrameStripTest, ACurrentFrameLeftOfTheViewStaysWhereItIsWhileScrolling) {
    NewDocument(8);
    ChooseScale(QStringLiteral("30 %"));
    SetStripWidth(590);
    Bar()->setValue(3);
    SetCurrentFrame(1);
    Rebuild();
    EXPECT_EQ(DownSlot(), -1);
    Bar()->setValue(2);
    Bar()->setValue(0);
    EXPECT_EQ(Set().CurFrame, 1);
    EXPECT_EQ(DownSlot(), 1) << "back in view it shows as selected";
}

TEST_F(FrameStripTest, FrameButtonsAreOneExclusiveGroup) {
    NewDocument(3);
    SetStripWidth(1000);
    QTest::mouseClick(Button(2), Qt::LeftButton);
    EXPECT_EQ(Set().CurFrame, 2);
    EXPECT_EQ(DownSlot(), 2);
    QTest::mouseClick(Button(2), Qt::LeftButton);
    EXPECT_EQ(DownSlot(), 2) << "pressing the down button leaves it down";
    QTest::mouseClick(Button(0), Qt::LeftButton);
    EXPECT_EQ(Set().CurFrame, 0);
    EXPECT_EQ(DownSlot(), 0);
}

TEST_F(FrameStripTest, EveryResizeRebuildsAndResetsTheCurrentCells) {
    SetStripWidth(590);
    Click(*Grid(0), 5, 3);
    ASSERT_EQ(Grid(0)->CurrentCell(), QPoint(5, 3));
    window_->resize(590, window_->height() + 20);
    ASSERT_EQ(SlotCount(), 1);
    EXPECT_EQ(Grid(0)->CurrentCell(), QPoint(0, 0));
}

TEST_F(FrameStripTest, AStripNarrowerThanOneSlotShowsNoGridAndLeavesNoCurrentFrame) {
    NewDocument(3);
    SetStripWidth(312);  // one pixel short of a 313-pixel slot at 100 %
    EXPECT_EQ(SlotCount(), 0);
    EXPECT_TRUE(Bar()->isEnabled());
    EXPECT_EQ(Bar()->maximum(), 3);
    EXPECT_EQ(Set().CurFrame, -1);
    EXPECT_EQ(Status(), QStringLiteral("Кадров = 3"));
}

TEST_F(FrameStripTest, AnEmptyFrameSetShowsNoGrid) {
    NewDocument(0);
    EXPECT_EQ(SlotCount(), 0);
    EXPECT_FALSE(Bar()->isEnabled());
    EXPECT_EQ(Bar()->maximum(), 0);
    EXPECT_EQ(Set().CurFrame, -1);
    EXPECT_EQ(Status(), QStringLiteral("Кадров = 0"));
}

TEST_F(FrameStripTest, ARebuildAskedForDuringARebuildIsDropped) {
    int rebuilds = 0;
    QObject::connect(&window_->Strip(), &FrameStrip::FrameCountChanged, window_.get(), [&] {
        ++rebuilds;
        Rebuild();  // would recurse without end if it were not dropped
    });
    Rebuild();
    EXPECT_EQ(rebuilds, 1);
    EXPECT_EQ(SlotCount(), 1);
}

}  // namespace
}  // namespace kadr::editor::testing
