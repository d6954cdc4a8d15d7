#pragma once

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "frameset/frame_set.h"

namespace kadr::testing {

// A fresh folder per test, removed with everything in it afterwards.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // `name` in the folder; both are UTF-8, as the frame-set library takes paths everywhere.
    std::string File(const std::string& name) const;

  private:
    std::filesystem::path path_;
};

// UTF-8 paths.
std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// A frame of random 0/1 cells, marks included.
Frame RandomFrame(std::mt19937& rng);
// A frame set of `count` random frames and random settings.
void FillRandom(FrameSet& set, int count, std::mt19937& rng);

}  // namespace kadr::testing
