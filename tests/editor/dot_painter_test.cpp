// The one painter of dot pictures: where each of the 14 rows' dots goes, in a square or round
// look, and that it paints only what it is asked to.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "editor/dots/dot_painter.h"

namespace kadr::editor::testing {
namespace {

const QColor kBackground(10, 20, 30);
const QColor kLit(250, 200, 0);

QImage Canvas(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kBackground);
    return image;
}

TEST(DotPainter, PlacesTheRowsBelowTheSeamLowerByTheSeam) {
    const DotPainter dots({.origin = {2, 2}, .pitch = 5, .size = 4, .seam = 3});
    EXPECT_EQ(dots.Cell(0, 0), QRect(2, 2, 5, 5));
    EXPECT_EQ(dots.Cell(3, 6), QRect(17, 32, 5, 5));
    EXPECT_EQ(dots.Cell(3, 7), QRect(17, 40, 5, 5)) << "row 7 starts the lower module row";
    EXPECT_EQ(dots.Cell(27, 13), QRect(137, 70, 5, 5));
    EXPECT_EQ(dots.Centre(1, 0), QPointF(9.5, 4.5));
}

TEST(DotPainter, SquaresFillTheirSizeAndInvalidColoursLeaveTheBackground) {
    const DotPainter dots({.origin = {2, 2}, .pitch = 5, .size = 4, .seam = 3});
    QImage image = Canvas(144, 77);
    {
        QPainter painter(&image);
        dots.Paint(painter, 28, image.rect(), [](int column, int row) {
            return (column == 0 && row == 0) || (column == 27 && row == 13) ? kLit : QColor();
        });
    }
    EXPECT_EQ(image.pixelColor(2, 2), kLit);
    EXPECT_EQ(image.pixelColor(5, 5), kLit) << "a 4-pixel square";
    EXPECT_EQ(image.pixelColor(6, 2), kBackground) << "the grid line after it";
    EXPECT_EQ(image.pixelColor(7, 2), kBackground) << "dot (1, 0) was left alone";
    EXPECT_EQ(image.pixelColor(137, 70), kLit);
    EXPECT_EQ(image.pixelColor(140, 73), kLit);
    EXPECT_EQ(image.pixelColor(137, 69), kBackground);
}

TEST(DotPainter, PaintsOnlyTheColumnsThatMeetTheDirtyRectangle) {
    const DotPainter dots({.origin = {0, 0}, .pitch = 4, .size = 4});
    QImage image = Canvas(28 * 4, 14 * 4);
    int asked = 0;
    {
        QPainter painter(&image);
        dots.Paint(painter, 28, QRect(40, 0, 8, 56), [&asked](int, int) {
            ++asked;
            return kLit;
        });
    }
    EXPECT_EQ(asked, 2 * 14) << "columns 10 and 11";
    EXPECT_EQ(image.pixelColor(40, 0), kLit);
    EXPECT_EQ(image.pixelColor(47, 55), kLit);
    EXPECT_EQ(image.pixelColor(39, 0), kBackground);
    EXPECT_EQ(image.pixelColor(48, 0), kBackground);
}

TEST(DotPainter, RoundDotsAreDiscsInTheMiddleOfTheirSquares) {
    // The LED panel's look at 16 pixels an LED: a margin of one LED and one between the modules.
    const DotPainter leds(
        {.origin = {16, 16}, .pitch = 16, .size = 12.8, .seam = 16, .round = true});
    QImage image = Canvas(30 * 16, 17 * 16);
    {
        QPainter painter(&image);
        leds.Paint(painter, 28, image.rect(),
                   [](int column, int row) { return column == 2 && row == 7 ? kLit : QColor(); });
    }
    const QRect cell = leds.Cell(2, 7);
    EXPECT_EQ(cell, QRect(48, 16 + 7 * 16 + 16, 16, 16));
    EXPECT_EQ(image.pixelColor(cell.center()), kLit);
    EXPECT_EQ(image.pixelColor(cell.topLeft()), kBackground) << "the corner is outside the disc";
    EXPECT_EQ(image.pixelColor(cell.center() + QPoint(0, -16)), kBackground) << "row 6 unlit";
}

}  // namespace
}  // namespace kadr::editor::testing
