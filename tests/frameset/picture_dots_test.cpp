#include <gtest/gtest.h>

#include <random>

#include "frameset/drawing/dot_cells.h"
#include "frameset/frame_kinds.h"
#include "frameset/picture_dots.h"

namespace kadr {
namespace {

GreyPicture Picture(int width, int height, std::uint8_t grey = 255) {
    return GreyPicture{width, height,
                       std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), grey)};
}

void Put(GreyPicture& picture, int x, int y, std::uint8_t grey) {
    picture.grey[static_cast<std::size_t>(y * picture.width + x)] = grey;
}

bool IsSet(const Frame& frame, int x, int y) {
    return frame[DotCellIndex({x, y})] == kDotSet;
}

// Every picture pixel of a 28 x 14 picture decides exactly one dot.
TEST(PictureDots, A28By14PictureGivesItsDotsExactly) {
    std::mt19937 random(3);
    GreyPicture picture = Picture(28, 14);
    for (auto& grey : picture.grey) {
        grey = static_cast<std::uint8_t>(random() % 256);
    }
    PictureToDots options;
    options.threshold = 100;
    const std::vector<Frame> frames = FramesOfPicture(picture, options);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(GetFrameKind(frames[0]), fkAnim);
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 28; ++x) {
            EXPECT_EQ(IsSet(frames[0], x, y), picture.At(x, y) < 100) << x << "," << y;
        }
    }
    options.invert = true;
    const Frame inverted = FramesOfPicture(picture, options)[0];
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 28; ++x) {
            EXPECT_NE(IsSet(inverted, x, y), IsSet(frames[0], x, y));
        }
    }
}

TEST(PictureDots, ScalingKeepsProportionsAndCentres) {
    // 56 x 28 of 2 x 2 blocks: scaled by one half, each block becomes one dot.
    GreyPicture picture = Picture(56, 28);
    for (int y = 0; y < 28; ++y) {
        for (int x = 0; x < 56; ++x) {
            Put(picture, x, y, ((x / 2 + y / 2) % 3 == 0) ? 0 : 255);
        }
    }
    const Frame frame = FramesOfPicture(picture, {})[0];
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 28; ++x) {
            EXPECT_EQ(IsSet(frame, x, y), (x + y) % 3 == 0);
        }
    }
    // A black square fits the height and stands in the middle: columns 7..20.
    const Frame square = FramesOfPicture(Picture(100, 100, 0), {})[0];
    for (int x = 0; x < 28; ++x) {
        EXPECT_EQ(IsSet(square, x, 5), x >= 7 && x <= 20) << x;
    }
    // A small picture is enlarged: 7 x 7, one black pixel top left, gives a 2 x 2 block.
    GreyPicture small = Picture(7, 7);
    Put(small, 0, 0, 0);
    const Frame big = FramesOfPicture(small, {})[0];
    EXPECT_TRUE(IsSet(big, 7, 0));
    EXPECT_TRUE(IsSet(big, 8, 1));
    EXPECT_FALSE(IsSet(big, 9, 0));
    EXPECT_FALSE(IsSet(big, 6, 0));
}

TEST(PictureDots, CropTakesTheTopLeftOneToOne) {
    GreyPicture picture = Picture(40, 20);
    Put(picture, 0, 0, 0);
    Put(picture, 27, 13, 0);
    Put(picture, 28, 5, 0);  // beyond the frame: cut off
    Put(picture, 3, 14, 0);  // below the frame: cut off
    PictureToDots options;
    options.crop = true;
    const Frame frame = FramesOfPicture(picture, options)[0];
    int set = 0;
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 28; ++x) {
            set += IsSet(frame, x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(set, 2);
    EXPECT_TRUE(IsSet(frame, 0, 0));
    EXPECT_TRUE(IsSet(frame, 27, 13));
}

TEST(PictureDots, A280By14BannerBecomesTenRunningLineFrames) {
    GreyPicture banner = Picture(280, 14);
    for (int part = 0; part < 10; ++part) {
        Put(banner, part * 28 + part, part, 0);  // one dot per part, in a place of its own
    }
    PictureToDots options;
    options.runningLine = true;
    const std::vector<Frame> frames = FramesOfPicture(banner, options);
    ASSERT_EQ(frames.size(), 12u);
    EXPECT_EQ(GetFrameKind(frames.front()), fkBegStr);
    EXPECT_EQ(GetFrameKind(frames.back()), fkEndStr);
    for (int part = 0; part < 10; ++part) {
        const Frame& frame = frames[static_cast<std::size_t>(part + 1)];
        EXPECT_EQ(GetFrameKind(frame), fkStr);
        for (int y = 0; y < 14; ++y) {
            for (int x = 0; x < 28; ++x) {
                EXPECT_EQ(IsSet(frame, x, y), x == part && y == part);
            }
        }
    }
    // Without --line the same banner is shrunk into one frame.
    EXPECT_EQ(FramesOfPicture(banner, {}).size(), 1u);
    // A line of 29 columns needs two running-line frames, the second padded with clear dots.
    EXPECT_EQ(FramesOfPicture(Picture(29, 14, 0), options).size(), 4u);
    // Narrow pictures stay single frames.
    EXPECT_EQ(FramesOfPicture(Picture(28, 14, 0), options).size(), 1u);
}

TEST(PictureDots, DitheringMatchesTheGreyLevel) {
    for (int grey : {64, 128, 192}) {
        const GreyPicture cells = Picture(28, 14, static_cast<std::uint8_t>(grey));
        PictureToDots options;
        options.dither = true;
        const std::vector<bool> dots = DotsOfPicture(cells, options);
        const double share = static_cast<double>(std::count(dots.begin(), dots.end(), true)) /
                             static_cast<double>(dots.size());
        EXPECT_NEAR(share, 1.0 - grey / 255.0, 0.05) << grey;
        // A plain threshold makes the same grey all or nothing.
        options.dither = false;
        const std::vector<bool> plain = DotsOfPicture(cells, options);
        EXPECT_EQ(std::count(plain.begin(), plain.end(), true), grey < 128 ? 392 : 0);
    }
    // Black and white stay black and white.
    PictureToDots options;
    options.dither = true;
    const std::vector<bool> black = DotsOfPicture(Picture(28, 14, 0), options);
    EXPECT_EQ(std::count(black.begin(), black.end(), true), 392);
    const std::vector<bool> white = DotsOfPicture(Picture(28, 14, 255), options);
    EXPECT_EQ(std::count(white.begin(), white.end(), true), 0);
}

TEST(PictureDots, EmptyAndMismatchedPictures) {
    EXPECT_EQ(FramesOfPicture(Picture(0, 0), {}).size(), 1u);
    GreyPicture wrong = Picture(5, 5);
    wrong.grey.pop_back();
    EXPECT_THROW(FramesOfPicture(wrong, {}), std::invalid_argument);
    // Several pictures (an animated GIF) give a frame each.
    EXPECT_EQ(FramesOfPictures({CellsOfPicture(Picture(10, 10)), CellsOfPicture(Picture(10, 10, 0)),
                                CellsOfPicture(Picture(3, 3))},
                               {})
                  .size(),
              3u);
}

}  // namespace
}  // namespace kadr
