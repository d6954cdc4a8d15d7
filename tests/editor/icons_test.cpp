// The command pictures: seventeen distinct drawings that fill their square at any scale.
#include <QImage>
#include <QPainter>

#include "editor/window/image_list.h"
#include "gtest/gtest.h"

namespace kadr::editor::testing {
namespace {

QImage Render(int index, int pixels, QIcon::Mode mode = QIcon::Normal) {
    return image_list::Icon(index)
        .pixmap(QSize(pixels, pixels), mode)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qAlpha(image.pixel(x, y)) > 0;
        }
    }
    return count;
}

TEST(ImageList, SeventeenDistinctPicturesThatScale) {
    std::vector<QImage> pictures;
    for (int index = 0; index < image_list::kCount; ++index) {
        SCOPED_TRACE(index);
        const QImage small = Render(index, 16);
        ASSERT_EQ(small.size(), QSize(16, 16));
        EXPECT_GT(OpaquePixels(small), 30) << "the picture should fill its square";
        // Drawn anew at twice the size, not blown up from 16 pixels.
        const QImage large = Render(index, 32);
        EXPECT_NE(large, small.scaled(32, 32));
        for (std::size_t other = 0; other < pictures.size(); ++other) {
            EXPECT_NE(small, pictures[other]) << "same as picture " << other;
        }
        pictures.push_back(small);
    }
    EXPECT_TRUE(image_list::Icon(image_list::kCount).isNull());
}

TEST(ImageList, DisabledPicturesAreGrey) {
    const QImage undo = Render(15, 16, QIcon::Disabled);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QColor pixel = QColor::fromRgba(undo.pixel(x, y));
            if (pixel.alpha() > 0) {
                ASSERT_EQ(pixel.red(), pixel.blue()) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace kadr::editor::testing
