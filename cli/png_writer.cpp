#include "cli/png_writer.h"

#include <QBuffer>
#include <QImage>

#include <cstring>

#include "frameset/errors.h"

namespace kadr::cli {

std::vector<std::uint8_t> EncodePng(const playback::IndexedImage& image) {
    QImage picture(image.width, image.height, QImage::Format_Indexed8);
    if (picture.isNull()) {
        throw Error("picture too large: " + std::to_string(image.width) + " x " +
                    std::to_string(image.height) + " pixels");
    }
    QList<QRgb> colours;
    for (const playback::Rgb& rgb : image.palette) {
        colours.push_back(qRgb(rgb.r, rgb.g, rgb.b));
    }
    picture.setColorTable(colours);
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(picture.scanLine(y),
                    image.pixels.data() +
                        static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width),
                    static_cast<std::size_t>(image.width));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) {
        throw Error("PNG encoder failed");
    }
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace kadr::cli
