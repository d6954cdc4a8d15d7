// The colours of a frame grid, read back from the grid as the screen shows it.
#include <QApplication>

#include "editor/strip/cell_painter.h"
#include "editor/window/speed_box.h"
#include "editor_window_fixture.h"
#include "frameset/frame_kinds.h"

namespace kadr::editor::testing {
namespace {

using namespace cell_colours;

class CellPaintingTest : public EditorWindowTest {
  protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        SetStripWidth(590);
        // The focus rectangle of a focused grid is checked on its own.
        window_->Bottom().seSpeedAnim->setFocus();
        grid_ = Grid(0);
        ASSERT_NE(grid_, nullptr);
        ASSERT_FALSE(grid_->hasFocus());
    }

    QImage Painted() {
        grid_->update();
        return Grab(*grid_);
    }
    QColor Cell(const QImage& image, int column, int gridRow) {
        return PixelOfCell(image, *grid_, column, gridRow);
    }
    // The first pixel row and column of a cell, where the module stripes run.
    QColor TopEdge(const QImage& image, int column, int gridRow) {
        const QRect cell = CellRect(column, gridRow);
        return image.pixelColor(cell.center().x(), cell.top());
    }
    QColor LeftEdge(const QImage& image, int column, int gridRow) {
        const QRect cell = CellRect(column, gridRow);
        return image.pixelColor(cell.left(), cell.center().y());
    }
    QRect CellRect(int column, int gridRow) { return grid_->CellRect(QPoint(column, gridRow)); }
    QColor Background() const { return grid_->palette().color(QPalette::Base); }
    Frame& Shown() { return Set().Frames[0]; }

    FrameGrid* grid_ = nullptr;
};

TEST_F(CellPaintingTest, ABlankFrameShowsClearMarksBackgroundAndModuleStripes) {
    const QImage image = Painted();
    for (int column = 0; column < 28; ++column) {
        EXPECT_EQ(Cell(image, column, 0), kMarkClear) << column;
        for (int row = 1; row < 15; ++row) {
            ASSERT_EQ(Cell(image, column, row), Background()) << column << "," << row;
        }
    }
    for (int column : {7, 14, 21}) {
        EXPECT_EQ(LeftEdge(image, column, 3), kModuleStripe) << column;
        EXPECT_EQ(LeftEdge(image, column, 0), kMarkClear) << "marks cover the stripe";
    }
    EXPECT_EQ(LeftEdge(image, 6, 3), Background());
    EXPECT_EQ(TopEdge(image, 3, 8), kModuleStripe);
    EXPECT_EQ(TopEdge(image, 3, 7), Background());
    // Grid lines follow every cell, the last column and row included.
    const QRect last = CellRect(27, 14);
    EXPECT_EQ(image.pixelColor(last.right() + 1, last.center().y()), kGridLine);
    EXPECT_EQ(image.pixelColor(last.center().x(), last.bottom() + 1), kGridLine);
}

TEST_F(CellPaintingTest, SetDotsArePaintedBlackOverTheStripes) {
    Set().Cell(0, 7, 3) = kDotSet;
    Set().Cell(0, 2, 9) = kDotSet;  // frame row 9 is grid row 8
    const QImage image = Painted();
    EXPECT_EQ(Cell(image, 7, 3), kSetDot);
    EXPECT_EQ(LeftEdge(image, 7, 3), kSetDot);
    EXPECT_EQ(TopEdge(image, 2, 8), kSetDot);
    EXPECT_EQ(Cell(image, 2, 7), Background());
}

TEST_F(CellPaintingTest, AStartFrameIsTintedWithoutStripesAndKeepsItsSetDots) {
    SetBegStr(Shown());
    Set().Cell(0, 3, 2) = kDotSet;  // as a file may bring it
    const QImage image = Painted();
    for (int column = 0; column < 28; ++column) {
        EXPECT_EQ(Cell(image, column, 0), column % 7 == 6 ? kMarkSet : kMarkClear) << column;
    }
    EXPECT_EQ(Cell(image, 10, 10), kStartTint);
    EXPECT_EQ(LeftEdge(image, 14, 5), kStartTint);
    EXPECT_EQ(TopEdge(image, 20, 8), kStartTint);
    EXPECT_EQ(Cell(image, 3, 2), kSetDot);
}

TEST_F(CellPaintingTest, AnEndFrameShowsTheInverseMarksAndItsOwnTint) {
    SetEndStr(Shown());
    const QImage image = Painted();
    for (int column = 0; column < 28; ++column) {
        EXPECT_EQ(Cell(image, column, 0), column % 7 == 6 ? kMarkClear : kMarkSet) << column;
    }
    EXPECT_EQ(Cell(image, 0, 14), kEndTint);
    EXPECT_EQ(LeftEdge(image, 21, 1), kEndTint);
}

TEST_F(CellPaintingTest, ARunningLineFrameHasSetMarksAndUntintedDots) {
    SetStr(Shown());
    const QImage image = Painted();
    for (int column = 0; column < 28; ++column) {
        EXPECT_EQ(Cell(image, column, 0), kMarkSet) << column;
    }
    EXPECT_EQ(Cell(image, 10, 10), Background());
    EXPECT_EQ(LeftEdge(image, 7, 10), kModuleStripe);
}

TEST_F(CellPaintingTest, MarksOfNoKnownKindLeaveTheFrameUntinted) {
    // Row 0, column 5 holds 2: neither pattern of a start nor of an end frame.
    Set().Cell(0, 5, 0) = 2;
    Set().Cell(0, 6, 0) = kDotSet;
    const QImage image = Painted();
    EXPECT_EQ(Cell(image, 5, 0), kMarkClear);
    EXPECT_EQ(Cell(image, 6, 0), kMarkSet);
    EXPECT_EQ(Cell(image, 10, 10), Background());
}

TEST_F(CellPaintingTest, OnlyAFocusedGridOutlinesItsCurrentCell) {
    Set().Cell(0, 0, 0) = kDotSet;  // a grey mark under the current cell, so white shows too
    const auto outlined = [&](const QImage& image) {
        const QRect cell = CellRect(0, 0);
        int black = 0;
        int white = 0;
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor pixel = image.pixelColor(x, cell.top());
            black += pixel == QColor(Qt::black);
            white += pixel == QColor(Qt::white);
        }
        return black > 0 && white > 0;
    };
    EXPECT_FALSE(outlined(Painted()));
    grid_->setFocus();
    ASSERT_TRUE(grid_->hasFocus());
    EXPECT_TRUE(outlined(Painted()));
}

}  // namespace
}  // namespace kadr::editor::testing
