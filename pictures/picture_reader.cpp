#include "pictures/picture_reader.h"

#include <filesystem>
#include <system_error>

#include <QImage>
#include <QImageReader>
#include <QString>

#include "frameset/errors.h"
#include "frameset/file_system.h"

namespace kadr {
namespace {

GreyPicture GreyOf(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    GreyPicture picture;
    picture.width = argb.width();
    picture.height = argb.height();
    picture.grey.resize(static_cast<std::size_t>(picture.width) *
                        static_cast<std::size_t>(picture.height));
    std::size_t i = 0;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = line[x];
            const int alpha = qAlpha(pixel);
            // What shows through a transparent part is the white of an unlit display.
            const int grey = (qGray(pixel) * alpha + 255 * (255 - alpha) + 127) / 255;
            picture.grey[i++] = static_cast<std::uint8_t>(grey);
        }
    }
    return picture;
}

}  // namespace

std::vector<GreyPicture> ReadPictures(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(PathFromUtf8(path), ec);
    if (!fs::exists(status)) {
        throw Error("File not found");
    }
    // A FIFO or a device could keep the reader waiting for ever.
    if (!fs::is_regular_file(status)) {
        throw Error("Not a regular file");
    }
    // File names are UTF-8 on every system, as the frame set's are (on Windows the 8-bit
    // form of QFile would be the ANSI code page, which has no room for most names).
    QImageReader reader(QString::fromStdString(path));
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide) {
        throw Error("Picture too large (at most " + std::to_string(kMaxPictureSide) + " x " +
                    std::to_string(kMaxPictureSide) + ")");
    }
    std::vector<GreyPicture> pictures;
    while (static_cast<int>(pictures.size()) < kMaxPicturesRead) {
        const QImage image = reader.read();
        if (image.isNull()) {
            break;
        }
        if (image.width() > kMaxPictureSide || image.height() > kMaxPictureSide) {
            throw Error("Picture too large");
        }
        pictures.push_back(GreyOf(image));
        if (!reader.supportsAnimation() || !reader.canRead()) {
            break;
        }
    }
    if (pictures.empty()) {
        throw Error("Cannot read the picture: " + reader.errorString().toStdString());
    }
    return pictures;
}

}  // namespace kadr
