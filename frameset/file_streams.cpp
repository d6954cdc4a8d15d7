#include "frameset/file_streams.h"

#include <cerrno>
#include <random>
#include <system_error>
#include <vector>

#include "frameset/errors.h"
#include "frameset/file_system.h"

namespace kadr {
namespace fs = std::filesystem;

namespace {

int ErrnoOr(int fallback) {
    return errno != 0 ? errno : fallback;
}

fs::path ResolveTarget(const std::string& target) {
    fs::path path = PathFromUtf8(target);
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        // Saving through a link must update the file it points at, not replace the link.
        fs::path real = fs::weakly_canonical(path, ec);
        if (!ec) {
            return real;
        }
    }
    return path;
}

std::string RandomSuffix() {
    static thread_local std::mt19937_64 engine{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string suffix;
    std::uint64_t value = engine();
    for (int i = 0; i < 12; ++i) {
        suffix += kDigits[value & 0xF];
        value >>= 4;
    }
    return suffix;
}

// A name that stays hidden in file lists and cannot clash with the user's own files.
fs::path BackupName(const fs::path& target, const char* role) {
    fs::path name = ".";
    name += target.filename();
    name += std::string(".") + role + "-" + RandomSuffix();
    return target.parent_path() / name;
}

}  // namespace

InputFile::InputFile(const std::string& path) : path_(path) {
    const fs::path native = PathFromUtf8(path);
    std::error_code ec;
    const fs::file_status status = fs::status(native, ec);
    if (fs::is_directory(status)) {
        throw FileErrorFromErrno(EISDIR, path);
    }
    // Opening a FIFO would wait for a writer and a device may never end: only regular files
    // hold frame sets.
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        throw NotARegularFile();
    }
    errno = 0;
    file_ = OpenFile(native, "rb");
    if (file_ == nullptr) {
        throw FileErrorFromErrno(ErrnoOr(ENOENT), path);
    }
    size_ = fs::file_size(native, ec);
    if (ec) {
        const int err = ec.value();
        std::fclose(file_);
        file_ = nullptr;
        throw FileErrorFromErrno(err, path);
    }
}

InputFile::~InputFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

std::size_t InputFile::Read(void* data, std::size_t size) {
    errno = 0;
    const std::size_t got = std::fread(data, 1, size, file_);
    if (got < size && std::ferror(file_)) {
        throw FileErrorFromErrno(ErrnoOr(EIO), path_);
    }
    return got;
}

AtomicFile::AtomicFile(const std::string& target) : target_(ResolveTarget(target)) {
    std::error_code ec;
    const fs::file_status status = fs::status(target_, ec);
    const bool exists = fs::exists(status);
    if (exists) {
        if (fs::is_directory(status)) {
            throw FileErrorFromErrno(EISDIR, Utf8FromPath(target_));
        }
        // A file the user may not change must stay as it is, even though the folder would
        // let us rename a new file over it.
        errno = 0;
        std::FILE* probe = OpenFile(target_, "r+b");
        if (probe == nullptr) {
            throw FileErrorFromErrno(ErrnoOr(EACCES), Utf8FromPath(target_));
        }
        std::fclose(probe);
    }
    for (int attempt = 0; file_ == nullptr; ++attempt) {
        temp_ = BackupName(target_, "kadr-new");
        errno = 0;
        file_ = OpenFile(temp_, "wbx");
        if (file_ == nullptr && (errno != EEXIST || attempt > 8)) {
            throw FileErrorFromErrno(ErrnoOr(EACCES), Utf8FromPath(target_));
        }
    }
    if (exists) {
        fs::permissions(temp_, status.permissions(), fs::perm_options::replace, ec);
    }
}

AtomicFile::~AtomicFile() {
    Discard();
}

void AtomicFile::Discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!published_ && !temp_.empty()) {
        std::error_code ec;
        fs::remove(temp_, ec);
    }
}

void AtomicFile::Write(std::span<const std::uint8_t> bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        throw FileErrorFromErrno(ErrnoOr(EIO), Utf8FromPath(target_));
    }
}

void AtomicFile::Finish() {
    errno = 0;
    bool ok = std::fflush(file_) == 0;
    int err = ok ? 0 : ErrnoOr(EIO);
    if (ok && !SyncToDisk(file_)) {
        ok = false;
        err = ErrnoOr(EIO);
    }
    errno = 0;
    if (std::fclose(file_) != 0 && ok) {
        ok = false;
        err = ErrnoOr(EIO);
    }
    file_ = nullptr;
    if (!ok) {
        throw FileErrorFromErrno(err, Utf8FromPath(target_));
    }
}

void AtomicFile::Publish() {
    std::error_code ec;
    fs::rename(temp_, target_, ec);
    if (ec) {
        throw FileErrorFromErrno(ec.value(), Utf8FromPath(target_));
    }
    published_ = true;
}

void PublishTogether(std::span<AtomicFile*> files) {
    struct Saved {
        fs::path target;
        fs::path backup;  // empty when the target did not exist before
        bool replaced = false;
    };
    std::vector<Saved> saved;
    saved.reserve(files.size());
    try {
        for (AtomicFile* file : files) {
            Saved& item = saved.emplace_back(Saved{file->Target(), {}, false});
            std::error_code ec;
            if (fs::exists(item.target, ec)) {
                fs::path backup = BackupName(item.target, "kadr-old");
                fs::create_hard_link(item.target, backup, ec);
                if (ec) {
                    // File systems without hard links (FAT on a USB stick) still allow a copy.
                    ec.clear();
                    fs::copy_file(item.target, backup, ec);
                    if (ec) {
                        throw FileErrorFromErrno(ec.value(), Utf8FromPath(item.target));
                    }
                }
                item.backup = backup;
            }
            file->Publish();
            item.replaced = true;
        }
    } catch (...) {
        std::error_code ec;
        for (const Saved& item : saved) {
            if (item.replaced && item.backup.empty()) {
                fs::remove(item.target, ec);
            } else if (item.replaced) {
                fs::rename(item.backup, item.target, ec);
            } else if (!item.backup.empty()) {
                fs::remove(item.backup, ec);
            }
        }
        throw;
    }
    std::error_code ec;
    for (const Saved& item : saved) {
        if (!item.backup.empty()) {
            fs::remove(item.backup, ec);
        }
    }
}

}  // namespace kadr
