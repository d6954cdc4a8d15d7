#include "frameset/errors.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "frameset/file_system.h"

namespace kadr {
namespace {

constexpr int kFileNotFound = 2;
constexpr int kInvalidFilename = 3;
constexpr int kTooManyOpenFiles = 4;
constexpr int kAccessDenied = 5;
constexpr int kDiskFull = 101;

bool FolderExists(const std::string& path) {
    if (path.empty()) {
        return true;
    }
    std::error_code ec;
    std::filesystem::path parent = PathFromUtf8(path).parent_path();
    return parent.empty() || std::filesystem::is_directory(parent, ec);
}

}  // namespace

FileError FileErrorFromErrno(int err, const std::string& path) {
    switch (err) {
        case ENOENT:
            if (!FolderExists(path)) {
                return FileError(kInvalidFilename, "Invalid filename");
            }
            return FileError(kFileNotFound, "File not found");
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL:
            return FileError(kInvalidFilename, "Invalid filename");
        case EMFILE:
        case ENFILE:
            return FileError(kTooManyOpenFiles, "Too many open files");
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
        case EBUSY:
            return FileError(kAccessDenied, "File access denied");
        case ENOSPC:
        case EFBIG:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return FileError(kDiskFull, "Disk full");
        default:
            return FileError(err, "I/O error " + std::to_string(err));
    }
}

FileError ReadBeyondEndOfFile() {
    return FileError(kReadBeyondEndOfFile, "Read beyond end of file");
}

FileError NotARegularFile() {
    return FileError(kNotARegularFile, "Not a regular file");
}

}  // namespace kadr
