// The grey cells a picture is reduced to as it is read: worked values of the area means, the
// parts kept for each choice of the import, and rows that arrive already scaled down.
#include <gtest/gtest.h>

#include <random>

#include "frameset/errors.h"
#include "frameset/picture_cells.h"
#include "frameset/picture_dots.h"

namespace kadr {
namespace {

GreyPicture Picture(int width, int height, std::uint8_t grey = 255) {
    return GreyPicture{width, height,
                       std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), grey)};
}

GreyPicture Scaled(const GreyPicture& picture, int width, int height) {
    AreaScaler scaler(picture.width, picture.height, width, height);
    for (int y = 0; y < picture.height; ++y) {
        scaler.AddRow(y, &picture.grey[static_cast<std::size_t>(y * picture.width)]);
    }
    GreyPicture out = Picture(width, height, 7);
    scaler.Into(out, 0, 0);
    return out;
}

TEST(PictureCells, AreaMeansWeighEachPixelByTheShareACellCovers) {
    // Three pixels into two cells of 1.5 pixels: (0 + 90 / 2) / 1.5 and (90 / 2 + 255) / 1.5.
    GreyPicture row = Picture(3, 1);
    row.grey = {0, 90, 255};
    EXPECT_EQ(Scaled(row, 2, 1).grey, (std::vector<std::uint8_t>{30, 200}));
    // Enlarging: each of two pixels covers two cells and a half of the middle one.
    GreyPicture pair = Picture(2, 1);
    pair.grey = {0, 200};
    EXPECT_EQ(Scaled(pair, 4, 1).grey, (std::vector<std::uint8_t>{0, 0, 200, 200}));
    EXPECT_EQ(Scaled(pair, 3, 1).grey, (std::vector<std::uint8_t>{0, 100, 200}));
    // Both ways at once: a 4 x 4 picture of quarters into 2 x 2 cells.
    GreyPicture quarters = Picture(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            quarters.grey[static_cast<std::size_t>(y * 4 + x)] =
                static_cast<std::uint8_t>((y < 2 ? 0 : 100) + (x < 2 ? 0 : 40));
        }
    }
    EXPECT_EQ(Scaled(quarters, 2, 2).grey, (std::vector<std::uint8_t>{0, 40, 100, 140}));
    // Rows in any order give the same cells.
    AreaScaler backwards(4, 4, 2, 2);
    for (int y = 3; y >= 0; --y) {
        backwards.AddRow(y, &quarters.grey[static_cast<std::size_t>(y * 4)]);
    }
    GreyPicture out = Picture(2, 2);
    backwards.Into(out, 0, 0);
    EXPECT_EQ(out.grey, Scaled(quarters, 2, 2).grey);
}

TEST(PictureCells, EachChoiceGetsTheCellsItNeedsAndNoMore) {
    // 600 x 150: a frame of 28 x 7 in the middle rows, a line of 56 columns, a cut line of 600.
    GreyPicture wide = Picture(600, 150);
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 300; ++x) {
            wide.grey[static_cast<std::size_t>(y * 600 + x)] = 0;  // the left half black
        }
    }
    const PictureCells cells = CellsOfPicture(wide);
    EXPECT_EQ(cells.width, 600);
    EXPECT_EQ(cells.height, 150);
    ASSERT_EQ(cells.fit.width, 28);
    ASSERT_EQ(cells.fit.height, 14);
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 28; ++x) {
            const bool inPicture = y >= 3 && y < 10;
            EXPECT_EQ(cells.fit.At(x, y), inPicture && x < 14 ? 0 : 255) << x << "," << y;
            EXPECT_EQ(cells.crop.At(x, y), 0) << "the top left corner is black";
        }
    }
    ASSERT_EQ(cells.lineFit.width, 56);
    ASSERT_EQ(cells.lineFit.height, 14);
    EXPECT_EQ(cells.lineFit.At(27, 13), 0);
    EXPECT_EQ(cells.lineFit.At(28, 0), 255);
    ASSERT_EQ(cells.lineCrop.width, 600);
    EXPECT_EQ(cells.lineCrop.At(299, 13), 0);
    EXPECT_EQ(cells.lineCrop.At(300, 0), 255);
    EXPECT_FALSE(cells.cropMissing);

    // Parts not asked for are not made; a narrow picture has no line cells at all.
    const PictureCells frameOnly = CellsOfPicture(wide, CellParts{false, false});
    EXPECT_TRUE(frameOnly.lineFit.grey.empty());
    EXPECT_TRUE(frameOnly.lineCrop.grey.empty());
    EXPECT_EQ(frameOnly.fit.grey, cells.fit.grey);
    const PictureCells narrow = CellsOfPicture(Picture(40, 20, 0));
    EXPECT_TRUE(narrow.lineFit.grey.empty()) << "40 x 20 is 28 columns at 14 rows";
    EXPECT_EQ(narrow.lineCrop.width, 40);
    // A line longer than the set holds stops at 256 frames of 28 columns.
    EXPECT_EQ(CellsOfPicture(Picture(16000, 14)).lineFit.width, 256 * 28);
    EXPECT_EQ(CellsOfPicture(Picture(16000, 14)).lineCrop.width, 16000);
}

TEST(PictureCells, RowsScaledDownOnTheWayGiveTheSameScaledCells) {
    // A picture of 8 x 8 blocks read as it is, and as a reader that averaged each block into
    // one pixel would deliver it: the scaled cells agree, and the cut ones wait for CutCells.
    std::mt19937 rng(11);
    const int blocksX = 140;
    const int blocksY = 35;
    GreyPicture blocks = Picture(blocksX, blocksY);
    for (auto& grey : blocks.grey) {
        grey = static_cast<std::uint8_t>(rng() % 256);
    }
    GreyPicture full = Picture(blocksX * 8, blocksY * 8);
    for (int y = 0; y < full.height; ++y) {
        for (int x = 0; x < full.width; ++x) {
            full.grey[static_cast<std::size_t>(y * full.width + x)] = blocks.At(x / 8, y / 8);
        }
    }
    const PictureCells whole = CellsOfPicture(full);
    CellsMaker maker(full.width, full.height, CellParts{}, blocksX, blocksY);
    for (int y = 0; y < blocksY; ++y) {
        maker.AddRow(y, &blocks.grey[static_cast<std::size_t>(y * blocksX)]);
    }
    PictureCells cells = maker.Finish();
    ASSERT_EQ(cells.fit.grey.size(), whole.fit.grey.size());
    ASSERT_EQ(cells.lineFit.width, whole.lineFit.width);
    for (std::size_t i = 0; i < whole.fit.grey.size(); ++i) {
        EXPECT_NEAR(cells.fit.grey[i], whole.fit.grey[i], 1) << i;
    }
    for (std::size_t i = 0; i < whole.lineFit.grey.size(); ++i) {
        EXPECT_NEAR(cells.lineFit.grey[i], whole.lineFit.grey[i], 1) << i;
    }
    EXPECT_EQ(cells.crop.grey, Picture(28, 14).grey) << "not cut from scaled rows";

    GreyPicture top = Picture(full.width, 14);
    std::copy_n(full.grey.begin(), top.grey.size(), top.grey.begin());
    CutCells(top, cells, CellParts{});
    EXPECT_EQ(cells.crop.grey, whole.crop.grey);
    EXPECT_EQ(cells.lineCrop.grey, whole.lineCrop.grey);
}

TEST(PictureCells, APictureTooLargeToCutRefusesOnlyTheCut) {
    PictureCells cells = CellsOfPicture(Picture(100, 50, 0));
    cells.cropMissing = true;
    PictureToDots options;
    EXPECT_EQ(FramesOfCells(cells, options).size(), 1u);
    options.crop = true;
    EXPECT_THROW(FramesOfCells(cells, options), Error);
    // Sizes out of range are refused before anything is allocated.
    EXPECT_THROW(CellsMaker(kMaxPictureSide + 1, 10, CellParts{}), std::invalid_argument);
    EXPECT_THROW(CellsMaker(100, 100, CellParts{}, 200, 50), std::invalid_argument);
}

}  // namespace
}  // namespace kadr
