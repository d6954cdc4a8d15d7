#include "pictures/cells_reading.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QImageIOHandler>
#include <QImageReader>
#include <QRect>
#include <QSize>

#include "frameset/drawing/dot_cells.h"
#include "frameset/errors.h"
#include "frameset/frame_set.h"

namespace kadr {
namespace {

// Rows converted to 32 bits at a time, so that no second copy of a whole picture is made.
constexpr int kBandRows = 64;
// A picture read scaled down keeps this many pixels for each cell it gives, each way.
constexpr int kPixelsPerCell = 4;

std::string SizeText(const QSize& size) {
    return std::to_string(size.width()) + " x " + std::to_string(size.height());
}

// Each row of the image as grey levels, transparency laid over the white of an unlit display.
template <typename Take>
void ForEachGreyRow(const QImage& image, Take take) {
    std::vector<std::uint8_t> grey(static_cast<std::size_t>(image.width()));
    const bool direct =
        image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32;
    for (int top = 0; top < image.height(); top += kBandRows) {
        const int rows = std::min(kBandRows, image.height() - top);
        const QImage band =
            direct ? QImage()
                   : image.copy(0, top, image.width(), rows).convertToFormat(QImage::Format_ARGB32);
        for (int r = 0; r < rows; ++r) {
            const auto* line = reinterpret_cast<const QRgb*>(direct ? image.constScanLine(top + r)
                                                                    : band.constScanLine(r));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = line[x];
                const int alpha = qAlpha(pixel);
                grey[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(
                    (qGray(pixel) * alpha + 255 * (255 - alpha) + 127) / 255);
            }
            take(top + r, grey.data());
        }
    }
}

PictureCells CellsOfImage(const QImage& image, CellParts parts) {
    CellsMaker maker(image.width(), image.height(), parts);
    ForEachGreyRow(image, [&](int y, const std::uint8_t* grey) { maker.AddRow(y, grey); });
    return maker.Finish();
}

GreyPicture GreyOf(const QImage& image) {
    GreyPicture picture{image.width(), image.height(), {}};
    picture.grey.reserve(static_cast<std::size_t>(image.width()) *
                         static_cast<std::size_t>(image.height()));
    ForEachGreyRow(image, [&](int, const std::uint8_t* grey) {
        picture.grey.insert(picture.grey.end(), grey, grey + image.width());
    });
    return picture;
}

[[noreturn]] void ThrowUnreadable(const QImageReader& reader, const QSize& size) {
    if (size.isValid() && static_cast<long long>(size.width()) * size.height() * 4 >
                              static_cast<long long>(kPictureReadLimitMb) * 1024 * 1024) {
        throw Error("Picture too large to read (" + SizeText(size) + ")");
    }
    throw Error("Cannot read the picture: " + reader.errorString().toStdString());
}

// Qt reports a GIF's size as that of its first picture, but decodes every picture onto the
// whole logical screen, which the header gives (bytes 6 to 9, little-endian).
QSize ScreenSize(QImageReader& reader, QSize size) {
    if (reader.format() != "gif" || reader.device() == nullptr) {
        return size;
    }
    const QByteArray header = reader.device()->peek(10);
    if (header.size() < 10) {
        return size;
    }
    const auto word = [&header](int at) {
        return static_cast<unsigned char>(header[at]) |
               (static_cast<unsigned char>(header[at + 1]) << 8);
    };
    return size.expandedTo(QSize(word(6), word(8)));
}

// The size a large still is read at: a few pixels for every cell of the largest grid it gives
// (the frame, or the running line at 14 rows), never more than the picture itself.
QSize ScaledReadSize(const QSize& size) {
    const long long line =
        std::llround(static_cast<double>(size.width()) * kDotRows / size.height());
    const long long widest = std::clamp<long long>(line, kColumns, kMaxFrames * kColumns);
    return QSize(static_cast<int>(std::min<long long>(size.width(), kPixelsPerCell * widest)),
                 std::min(size.height(), kPixelsPerCell * kDotRows));
}

PictureCells ReadLargeStill(const QImageReader& reader, const QSize& size) {
    QImageReader scaled(reader.fileName(), reader.format());
    const QSize rows = ScaledReadSize(size);
    scaled.setScaledSize(rows);
    QImage image = scaled.read();
    if (image.isNull() || image.size() != rows) {
        // Some readers (Qt's for grey PNGs) decode the whole picture at 32 bits before scaling
        // it, and so refuse it by the allocation limit.
        ThrowUnreadable(scaled, size);
    }
    CellsMaker maker(size.width(), size.height(), CellParts{}, rows.width(), rows.height());
    ForEachGreyRow(image, [&](int y, const std::uint8_t* grey) { maker.AddRow(y, grey); });
    image = QImage();
    PictureCells cells = maker.Finish();

    // The top rows for the cuts: JPEG's reader decodes them alone; others decode the whole
    // picture within the allocation limit, or fail, and then the picture cannot be cut.
    QImageReader cut(reader.fileName(), reader.format());
    cut.setClipRect(QRect(0, 0, size.width(), std::min(size.height(), kDotRows)));
    const QImage top = cut.read();
    if (top.isNull()) {
        cells.cropMissing = true;
    } else {
        CutCells(GreyOf(top), cells, CellParts{});
    }
    return cells;
}

}  // namespace

std::vector<PictureCells> ReadCells(QImageReader& reader) {
    const QSize size = ScreenSize(reader, reader.size());
    if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide) {
        throw Error("Picture too large (" + SizeText(size) + ")");
    }
    const int count = reader.imageCount();
    if (count > kMaxFrames) {
        throw Error("The picture has " + std::to_string(count) + " frames (at most " +
                    std::to_string(kMaxFrames) + ")");
    }
    QImageReader::setAllocationLimit(kPictureReadLimitMb);
    if (count <= 1 && size.isValid() && !reader.supportsAnimation() &&
        static_cast<long long>(size.width()) * size.height() > kWholeReadPixels &&
        reader.supportsOption(QImageIOHandler::ScaledSize)) {
        return {ReadLargeStill(reader, size)};
    }
    std::vector<PictureCells> pictures;
    CellParts parts;
    while (static_cast<int>(pictures.size()) <= kMaxFrames) {
        QImage image = reader.read();
        if (image.isNull()) {
            break;
        }
        if (image.width() > kMaxPictureSide || image.height() > kMaxPictureSide) {
            throw Error("Picture too large (" + SizeText(image.size()) + ")");
        }
        PictureCells cells = CellsOfImage(image, parts);
        image = QImage();  // the reader may reuse its buffer for the next picture
        // Only the first picture wide enough to run as a line is ever used as one.
        parts.lineFit = parts.lineFit && cells.lineFit.grey.empty();
        parts.lineCrop = parts.lineCrop && cells.lineCrop.grey.empty();
        pictures.push_back(std::move(cells));
        if (!reader.supportsAnimation() || !reader.canRead()) {
            break;
        }
    }
    if (pictures.empty()) {
        ThrowUnreadable(reader, size);
    }
    return pictures;
}

}  // namespace kadr
