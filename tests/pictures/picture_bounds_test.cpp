// The bounds of reading a picture for the import: files that declare huge sizes, hold more
// pictures than a set has frames, or stop short, made here with giflib, zlib and Qt's writers.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <QImage>

#include <cstring>
#include <string>
#include <vector>

#include "frameset/errors.h"
#include "frameset/picture_dots.h"
#include "pictures/picture_reader.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using testing::TempDir;
using testing::WriteBytes;
using Bytes = std::vector<std::uint8_t>;

int Append(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

// An animated GIF: `count` pictures of side x side on a screen, picture i black at its own
// place (i along the top row, wrapping) on white.
Bytes Gif(int screenWidth, int screenHeight, int count, int side = 1) {
    Bytes bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, Append, &error);
    EXPECT_NE(gif, nullptr);
    EGifSetGifVersion(gif, true);
    const GifColorType colours[2] = {{0, 0, 0}, {255, 255, 255}};
    ColorMapObject* map = GifMakeMapObject(2, colours);
    EXPECT_EQ(EGifPutScreenDesc(gif, screenWidth, screenHeight, 1, 1, map), GIF_OK);
    GifFreeMapObject(map);
    std::vector<GifPixelType> row(static_cast<std::size_t>(side), 0);
    for (int i = 0; i < count; ++i) {
        const int x = (i * side) % std::max(1, screenWidth - side + 1);
        EXPECT_EQ(EGifPutImageDesc(gif, x, 0, side, side, false, nullptr), GIF_OK);
        for (int y = 0; y < side; ++y) {
            EXPECT_EQ(EGifPutLine(gif, row.data(), side), GIF_OK);
        }
    }
    EXPECT_EQ(EGifCloseFile(gif, &error), GIF_OK);
    return bytes;
}

void PutChunk(Bytes& png, const char* type, const Bytes& data) {
    const auto length = static_cast<std::uint32_t>(data.size());
    for (int shift = 24; shift >= 0; shift -= 8) {
        png.push_back(static_cast<std::uint8_t>(length >> shift));
    }
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    const uLong crc = crc32(0, &png[start], static_cast<uInt>(png.size() - start));
    for (int shift = 24; shift >= 0; shift -= 8) {
        png.push_back(static_cast<std::uint8_t>(crc >> shift));
    }
}

// A PNG of 8-bit RGB (or grey, one byte a pixel), each row made by `row`; `keep` cuts the
// compressed data short.
template <typename Row>
Bytes Png(int width, int height, Row row, double keep = 1.0, bool grey = false) {
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Bytes header;
    for (const int side : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            header.push_back(static_cast<std::uint8_t>(side >> shift));
        }
    }
    header.insert(header.end(), {8, static_cast<std::uint8_t>(grey ? 0 : 2), 0, 0, 0});
    PutChunk(png, "IHDR", header);
    z_stream z{};
    deflateInit(&z, 6);
    Bytes data;
    Bytes line(static_cast<std::size_t>(width) * (grey ? 1 : 3) + 1);
    Bytes out(1 << 16);
    for (int y = 0; y <= height; ++y) {
        const bool last = y == height;
        if (!last) {
            line[0] = 0;
            row(y, &line[1]);
        }
        z.next_in = last ? nullptr : line.data();
        z.avail_in = last ? 0 : static_cast<uInt>(line.size());
        do {
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(out.size());
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            data.insert(data.end(), out.begin(), out.end() - z.avail_out);
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    data.resize(static_cast<std::size_t>(static_cast<double>(data.size()) * keep));
    PutChunk(png, "IDAT", data);
    PutChunk(png, "IEND", {});
    return png;
}

// The left half black, the right half white.
auto Halves(int width) {
    return [width](int, std::uint8_t* rgb) {
        std::memset(rgb, 0, static_cast<std::size_t>(width / 2) * 3);
        std::memset(rgb + static_cast<std::size_t>(width / 2) * 3, 255,
                    static_cast<std::size_t>(width - width / 2) * 3);
    };
}

class PictureBounds : public ::testing::Test {
  protected:
    std::string Put(const Bytes& bytes, const std::string& name = "picture") {
        const std::string path = dir_.File(name);
        WriteBytes(path, bytes);
        return path;
    }
    std::string MessageOf(const Bytes& bytes) {
        try {
            const std::vector<PictureCells> cells = ReadPictures(Put(bytes));
            return "read " + std::to_string(cells.size());
        } catch (const Error& e) {
            return e.what();
        }
    }
    TempDir dir_;
};

TEST_F(PictureBounds, MorePicturesThanFramesAreRefusedFromTheirCount) {
    // The tiny file with a large screen: decoding its 257 pictures would take a gigabyte.
    const Bytes many = Gif(2000, 2000, 257);
    EXPECT_LT(many.size(), 8000u);
    EXPECT_EQ(MessageOf(many), "The picture has 257 frames (at most 256)");

    // A full set still reads, every picture into its own cells; only the first picture wide
    // enough for a running line keeps the line's cells.
    const std::vector<PictureCells> full = ReadPictures(Put(Gif(200, 50, 256)));
    ASSERT_EQ(full.size(), 256u);
    EXPECT_EQ(full[0].lineFit.width, 56);
    EXPECT_EQ(full[0].lineCrop.width, 200);
    for (std::size_t i = 1; i < full.size(); ++i) {
        ASSERT_TRUE(full[i].lineFit.grey.empty()) << i;
        ASSERT_TRUE(full[i].lineCrop.grey.empty()) << i;
        ASSERT_EQ(full[i].fit.width, 28) << i;
    }
    // Each picture adds its pixel on the top row; the cut cells show the first 28 of them.
    EXPECT_EQ(full[0].crop.At(0, 0), 0);
    EXPECT_EQ(full[0].crop.At(1, 0), 255);
    EXPECT_EQ(full[27].crop.At(27, 0), 0);
    PictureToDots options;
    options.crop = true;
    options.runningLine = true;
    EXPECT_EQ(FramesOfPictures(full, options).size(), 2u + 8u) << "200 columns: 8 frames";
}

TEST_F(PictureBounds, HugeDeclaredSizesAreRefusedWithAMessage) {
    EXPECT_EQ(MessageOf(Gif(16384 + 1, 10, 1)), "Picture too large (16385 x 10)");
    // Within the sides, but a gigabyte once decoded: refused by the reader's limit.
    EXPECT_EQ(MessageOf(Gif(16000, 16000, 1)), "Picture too large to read (16000 x 16000)");
    EXPECT_EQ(MessageOf(Png(
                  20000, 1, [](int, std::uint8_t*) {}, 0.0)),
              "Picture too large (at most 16384 x 16384)");
    // A large PNG whose data stops at once is read scaled down, and fails as unreadable; so
    // does an empty file.
    const std::string cut = MessageOf(Png(5000, 1000, Halves(5000), 0.001));
    EXPECT_NE(cut.find("Cannot read the picture"), std::string::npos) << cut;
    // A grey PNG large enough to be read scaled down: Qt's reader decodes it whole at 32 bits
    // first (144 MB here), so it is refused by the limit, with its size.
    EXPECT_EQ(
        MessageOf(Png(
            6000, 6000, [](int, std::uint8_t* grey) { std::memset(grey, 0, 6000); }, 1.0, true)),
        "Picture too large to read (6000 x 6000)");
    const std::string empty = MessageOf(Bytes{});
    EXPECT_NE(empty.find("Cannot read the picture"), std::string::npos) << empty;
}

TEST_F(PictureBounds, TruncatedFilesGiveThePicturesReadOrAMessage) {
    const Bytes whole = Gif(40, 20, 3, 4);
    EXPECT_EQ(MessageOf(whole), "read 3");
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const std::string outcome = MessageOf(Bytes(whole.begin(), whole.begin() + length));
        EXPECT_TRUE(outcome == "read 1" || outcome == "read 2" || outcome == "read 3" ||
                    outcome.starts_with("Cannot read the picture"))
            << length << ": " << outcome;
    }
    const std::string half = MessageOf(Png(300, 200, Halves(300), 0.5));
    EXPECT_TRUE(half == "read 1" || half.starts_with("Cannot read the picture")) << half;
}

TEST_F(PictureBounds, ALargeStillIsReadScaledDownIntoTheSameCells) {
    // 6000 x 1500, 9 million pixels: a frame of 28 x 7 in the middle rows, a line of 56.
    const std::vector<PictureCells> read = ReadPictures(Put(Png(6000, 1500, Halves(6000))));
    ASSERT_EQ(read.size(), 1u);
    const PictureCells& cells = read[0];
    EXPECT_EQ(cells.width, 6000);
    EXPECT_FALSE(cells.cropMissing);
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 28; ++x) {
            const bool inPicture = y >= 3 && y < 10;
            EXPECT_EQ(cells.fit.At(x, y), inPicture && x < 14 ? 0 : 255) << x << "," << y;
            EXPECT_EQ(cells.crop.At(x, y), 0);
        }
    }
    ASSERT_EQ(cells.lineFit.width, 56);
    for (int x = 0; x < 56; ++x) {
        EXPECT_EQ(cells.lineFit.At(x, 7), x < 28 ? 0 : 255) << x;
    }
    ASSERT_EQ(cells.lineCrop.width, 6000);
    EXPECT_EQ(cells.lineCrop.At(2999, 13), 0);
    EXPECT_EQ(cells.lineCrop.At(3000, 0), 255);

    // 6000 x 6000 would be 144 MB whole: the frame comes scaled, the cut is refused.
    const std::vector<PictureCells> square =
        ReadPictures(Put(Png(6000, 6000, Halves(6000)), "square"));
    ASSERT_EQ(square.size(), 1u);
    EXPECT_TRUE(square[0].cropMissing);
    EXPECT_EQ(square[0].fit.At(7, 0), 0);
    EXPECT_EQ(square[0].fit.At(13, 13), 0);
    EXPECT_EQ(square[0].fit.At(14, 13), 255);
    EXPECT_EQ(square[0].fit.At(6, 5), 255) << "the square stands in the middle";
}

}  // namespace
}  // namespace kadr
