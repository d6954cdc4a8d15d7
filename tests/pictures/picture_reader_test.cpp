// Reading picture files for the import: every format the import offers, made here with Qt's
// image writers and giflib, and the files it has to refuse.
#include <gtest/gtest.h>

#include <gif_lib.h>

#include <cstring>
#include <string>
#include <vector>

#include <QImage>

#include "frameset/errors.h"
#include "pictures/picture_reader.h"
#include "pictures/utf8_path.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// The grey level at (x, y) of the picture as the 1:1 cut from its top left gives it.
int GreyAt(const PictureCells& picture, int x, int y) {
    const GreyPicture& crop = picture.crop;
    return crop.grey[static_cast<std::size_t>(y * crop.width + x)];
}

// 8 x 4: the left half black, the right half white, one mid-grey pixel at (6, 1) and one
// fully transparent black pixel at (1, 2).
QImage Halves() {
    QImage image(8, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) {
            image.setPixel(x, y, x < 4 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    image.setPixel(6, 1, qRgb(128, 128, 128));
    image.setPixel(1, 2, qRgba(0, 0, 0, 0));
    return image;
}

std::string Saved(const TempDir& dir, const QImage& image, const char* name, const char* format,
                  int quality = -1) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(image.save(QString::fromStdString(path), format, quality)) << name;
    return path;
}

// An animated GIF through giflib: `count` pictures of `side` x `side`, picture i with its
// first i + 1 pixels of the top row black and the rest white, on a screen of the given size.
void WriteGif(const std::string& path, int count, int side, int screen) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    ASSERT_NE(gif, nullptr) << GifErrorString(error);
    EGifSetGifVersion(gif, true);
    const GifColorType colours[2] = {{0, 0, 0}, {255, 255, 255}};
    ColorMapObject* map = GifMakeMapObject(2, colours);
    ASSERT_EQ(EGifPutScreenDesc(gif, screen, screen, 1, 1, map), GIF_OK);
    std::vector<GifPixelType> row(static_cast<std::size_t>(side));
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(EGifPutImageDesc(gif, 0, 0, side, side, false, nullptr), GIF_OK);
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                row[static_cast<std::size_t>(x)] = y == 0 && x <= i ? 0 : 1;
            }
            ASSERT_EQ(EGifPutLine(gif, row.data(), side), GIF_OK);
        }
    }
    GifFreeMapObject(map);
    ASSERT_EQ(EGifCloseFile(gif, &error), GIF_OK);
}

std::string MessageOf(const std::string& path) {
    try {
        ReadPictures(path);
    } catch (const Error& e) {
        return e.what();
    }
    return "(read)";
}

TEST(PictureReader, LosslessFormatsGiveExactGreyLevelsOverWhite) {
    TempDir dir;
    for (const char* format : {"PNG", "BMP"}) {
        const std::string path =
            Saved(dir, Halves(), (std::string("halves.") + format).c_str(), format);
        const std::vector<PictureCells> pictures = ReadPictures(path);
        ASSERT_EQ(pictures.size(), 1U) << format;
        const PictureCells& p = pictures[0];
        ASSERT_EQ(p.width, 8);
        ASSERT_EQ(p.height, 4);
        EXPECT_EQ(GreyAt(p, 0, 0), 0) << format;
        EXPECT_EQ(GreyAt(p, 3, 3), 0) << format;
        EXPECT_EQ(GreyAt(p, 4, 0), 255) << format;
        EXPECT_EQ(GreyAt(p, 6, 1), 128) << format;
        // PNG keeps the transparency, which shows the white of an unlit display; BMP has none
        // and keeps the black.
        EXPECT_EQ(GreyAt(p, 1, 2), std::string(format) == "PNG" ? 255 : 0) << format;
    }
}

TEST(PictureReader, HalfTransparentPixelsAreBlendedWithWhite) {
    TempDir dir;
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 0, 0, 102));  // 40 % black over white: 153
    const std::vector<PictureCells> pictures = ReadPictures(Saved(dir, image, "a.png", "PNG"));
    ASSERT_EQ(pictures.size(), 1U);
    EXPECT_EQ(GreyAt(pictures[0], 0, 0), 0);
    EXPECT_NEAR(GreyAt(pictures[0], 1, 0), 153, 1);
}

TEST(PictureReader, JpegKeepsDarkAndLightApart) {
    TempDir dir;
    QImage image(32, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) {
            image.setPixel(x, y, x < 16 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    const std::vector<PictureCells> pictures =
        ReadPictures(Saved(dir, image, "halves.jpg", "JPEG", 95));
    ASSERT_EQ(pictures.size(), 1U);
    const PictureCells& p = pictures[0];
    ASSERT_EQ(p.width, 32);
    ASSERT_EQ(p.height, 16);
    // Lossy, so not exact, but far from the threshold on either side of the edge.
    for (int y = 0; y < kDotRows; ++y) {
        EXPECT_LT(GreyAt(p, 4, y), 40);
        EXPECT_GT(GreyAt(p, 27, y), 215);
    }
}

TEST(PictureReader, EveryPictureOfAnAnimatedGifInOrder) {
    TempDir dir;
    const std::string path = dir.File("moving.gif");
    WriteGif(path, 4, 6, 6);
    const std::vector<PictureCells> pictures = ReadPictures(path);
    ASSERT_EQ(pictures.size(), 4U);
    for (int i = 0; i < 4; ++i) {
        const PictureCells& p = pictures[static_cast<std::size_t>(i)];
        ASSERT_EQ(p.width, 6);
        ASSERT_EQ(p.height, 6);
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(GreyAt(p, x, 0), x <= i ? 0 : 255) << "picture " << i << " x " << x;
        }
        EXPECT_EQ(GreyAt(p, 0, 5), 255);
    }
}

TEST(PictureReader, AGifWithMorePicturesThanFramesIsRefused) {
    TempDir dir;
    const std::string path = dir.File("long.gif");
    WriteGif(path, kMaxFrames + 5, 1, 1);
    EXPECT_NE(MessageOf(path).find("frames (at most"), std::string::npos) << MessageOf(path);
    WriteGif(path, kMaxFrames, 1, 1);
    EXPECT_EQ(ReadPictures(path).size(), static_cast<std::size_t>(kMaxFrames));
}

TEST(PictureReader, ATruncatedFileIsRefusedWithAMessage) {
    TempDir dir;
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    for (const char* format : {"PNG", "JPEG"}) {
        const std::string path = Saved(dir, image, (std::string("cut.") + format).c_str(), format);
        std::vector<std::uint8_t> bytes = ReadBytes(path);
        // Only the header and the first bytes of the picture data are left.
        bytes.resize(60);
        WriteBytes(path, bytes);
        EXPECT_EQ(MessageOf(path).rfind("Cannot read the picture", 0), 0U)
            << format << ": " << MessageOf(path);
    }
}

TEST(PictureReader, AHugeDeclaredSizeIsRefused) {
    TempDir dir;
    // A real picture one pixel wider than any the import takes.
    const std::string wide =
        Saved(dir, QImage(kMaxPictureSide + 1, 1, QImage::Format_Mono), "wide.png", "PNG");
    EXPECT_EQ(MessageOf(wide), "Picture too large (at most 16384 x 16384)");

    // Headers that claim far more than the file holds.
    const std::string path = Saved(dir, Halves(), "huge.bmp", "BMP");
    std::vector<std::uint8_t> bytes = ReadBytes(path);
    ASSERT_GT(bytes.size(), 26U);
    const std::int32_t side = 40000;
    std::memcpy(&bytes[18], &side, 4);  // little-endian width and height at 18 and 22
    std::memcpy(&bytes[22], &side, 4);
    WriteBytes(path, bytes);
    EXPECT_NE(MessageOf(path), "(read)");
    const std::string gif = dir.File("screen.gif");
    WriteGif(gif, 1, 1, 20000);
    EXPECT_NE(MessageOf(gif), "(read)");
}

TEST(PictureReader, WhatIsNoPictureIsRefusedWithAMessage) {
    TempDir dir;
    const std::string text = dir.File("notes.png");
    WriteBytes(text, {'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't', '\n'});
    EXPECT_EQ(MessageOf(text).rfind("Cannot read the picture", 0), 0U) << MessageOf(text);
    const std::string empty = dir.File("empty.gif");
    WriteBytes(empty, {});
    EXPECT_EQ(MessageOf(empty).rfind("Cannot read the picture", 0), 0U) << MessageOf(empty);
    EXPECT_EQ(MessageOf(dir.File("absent.png")), "File not found");
    EXPECT_EQ(MessageOf(dir.Path().string()), "Not a regular file");
}

TEST(PictureReader, NamesInUtf8WithCyrillicLetters) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "Картинки");
    const std::string path = Saved(dir, Halves(), "Картинки/кадр.png", "PNG");
    const std::vector<PictureCells> pictures = ReadPictures(path);
    ASSERT_EQ(pictures.size(), 1U);
    EXPECT_EQ(pictures[0].width, 8);
}

// The spelling between Qt and the readers is UTF-8 bytes on every system: Qt's 8-bit file name
// form is the ANSI code page on Windows, where these letters become question marks.
TEST(Utf8Paths, QtNamesBecomeUtf8BytesAndBack) {
    const struct {
        QString qt;
        std::string utf8;
    } names[] = {
        {QStringLiteral("кадр.png"), "\xD0\xBA\xD0\xB0\xD0\xB4\xD1\x80.png"},
        {QStringLiteral("C:/Бегущая строка/Ёж.kdz"),
         "C:/\xD0\x91\xD0\xB5\xD0\xB3\xD1\x83\xD1\x89\xD0\xB0\xD1\x8F "
         "\xD1\x81\xD1\x82\xD1\x80\xD0\xBE\xD0\xBA\xD0\xB0/\xD0\x81\xD0\xB6.kdz"},
        {QStringLiteral("plain/a.bin"), "plain/a.bin"},
        {QString(), ""},
    };
    for (const auto& name : names) {
        EXPECT_EQ(Utf8Path(name.qt), name.utf8) << name.qt.toStdString();
        EXPECT_EQ(QtPath(name.utf8), name.qt) << name.utf8;
    }
}

}  // namespace
}  // namespace kadr
