#include "pictures/picture_reader.h"

#include <filesystem>
#include <system_error>

#include <QImageReader>
#include <QString>

#include "frameset/errors.h"
#include "frameset/file_system.h"
#include "pictures/cells_reading.h"
#include "pictures/utf8_path.h"

namespace kadr {

std::vector<PictureCells> ReadPictures(const std::string& path) {
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
    QImageReader reader(QtPath(path));
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide) {
        throw Error("Picture too large (at most " + std::to_string(kMaxPictureSide) + " x " +
                    std::to_string(kMaxPictureSide) + ")");
    }
    return ReadCells(reader);
}

}  // namespace kadr
