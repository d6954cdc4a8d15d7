#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

namespace kadr {

// A file opened for reading only, so that read-only files open like any other.
class InputFile {
  public:
    explicit InputFile(const std::string& path);  // throws FileError
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    std::uint64_t Size() const { return size_; }
    // Reads up to `size` bytes and returns how many arrived; fewer only at the end of the file.
    std::size_t Read(void* data, std::size_t size);  // throws FileError on a read error

  private:
    std::string path_;
    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;
};

// Writes a file beside its target and only replaces the target once every byte is on disk,
// so a failed save never damages the file that was there before.
class AtomicFile {
  public:
    explicit AtomicFile(const std::string& target);  // throws FileError
    ~AtomicFile();                                   // drops the temporary unless published
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void Write(std::span<const std::uint8_t> bytes);  // throws FileError
    void Finish();                                    // flush to disk and close; throws
    void Publish();                                   // rename over the target; throws

    const std::filesystem::path& Target() const { return target_; }

  private:
    void Discard();

    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
    bool published_ = false;
};

// Publishes finished files as one unit: when any rename fails, the targets already replaced
// get their old content back and the error is rethrown.
void PublishTogether(std::span<AtomicFile*> files);

}  // namespace kadr
