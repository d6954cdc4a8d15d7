// The command pictures: seventeen distinct drawings that fill their square at any scale.
#include <QImage>
#include <QPainter>

#include "editor/commands/image_list.h"
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

// Pixels that are neither empty nor fully covered: the soft rim that smoothing leaves.
int SoftPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            count += alpha > 0 && alpha < 255;
        }
    }
    return count;
}

// True when every 2 x 2 block is one colour: a picture doubled pixel by pixel.
bool DoubledPixelByPixel(const QImage& image) {
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            const QRgb corner = image.pixel(x, y);
            if (image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
                image.pixel(x + 1, y + 1) != corner) {
                return false;
            }
        }
    }
    return true;
}

// A picture drawn anew at 32 pixels keeps a rim of soft (part-covered) pixels about one pixel
// wide, as at 16 pixels. Blown up from 16 pixels it is either doubled pixel by pixel, or smoothed
// into a soft rim around every shape, far wider than a drawing's.
bool DrawnAnew(const QImage& small, const QImage& large) {
    const QImage smoothed = small.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return !DoubledPixelByPixel(large) && 2 * SoftPixels(large) < SoftPixels(smoothed);
}

TEST(ImageList, SeventeenDistinctPicturesThatScale) {
    std::vector<QImage> pictures;
    for (int index = 0; index < image_list::kCount; ++index) {
        SCOPED_TRACE(index);
        const QImage small = Render(index, 16);
        ASSERT_EQ(small.size(), QSize(16, 16));
        EXPECT_GT(OpaquePixels(small), 30) << "the picture should fill its square";
        const QImage large = Render(index, 32);
        ASSERT_EQ(large.size(), QSize(32, 32));
        EXPECT_TRUE(DrawnAnew(small, large));
        // The check tells both kinds of blown-up picture from a drawn one.
        EXPECT_FALSE(DrawnAnew(small, small.scaled(32, 32)));
        EXPECT_FALSE(DrawnAnew(
            small, small.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        for (std::size_t other = 0; other < pictures.size(); ++other) {
            EXPECT_NE(small, pictures[other]) << "same as picture " << other;
        }
        pictures.push_back(small);
    }
    EXPECT_TRUE(image_list::Icon(image_list::kCount).isNull());
}

// A disabled command shows its picture in pale grey: no colour left, nothing dark, and still
// the same shape.
TEST(ImageList, DisabledPicturesArePaleGrey) {
    for (int index = 0; index < image_list::kCount; ++index) {
        SCOPED_TRACE(index);
        const QImage normal = Render(index, 16);
        const QImage disabled = Render(index, 16, QIcon::Disabled);
        bool coloured = false;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const QColor shown = QColor::fromRgba(normal.pixel(x, y));
                coloured |= shown.alpha() == 255 &&
                            (shown.red() != shown.green() || shown.green() != shown.blue());
                const QColor pixel = QColor::fromRgba(disabled.pixel(x, y));
                // Fading keeps the shape (the faintest rim pixels may vanish).
                if (shown.alpha() == 0 || shown.alpha() >= 8) {
                    ASSERT_EQ(pixel.alpha() > 0, shown.alpha() > 0) << x << "," << y;
                }
                if (pixel.alpha() < 128) {
                    continue;  // too faint for its colour to be read back exactly
                }
                ASSERT_EQ(pixel.red(), pixel.green()) << x << "," << y;
                ASSERT_EQ(pixel.green(), pixel.blue()) << x << "," << y;
                ASSERT_GE(pixel.red(), 128) << "dark at " << x << "," << y;
            }
        }
        EXPECT_TRUE(coloured) << "the enabled picture has colour to lose";
    }
}

}  // namespace
}  // namespace kadr::editor::testing
