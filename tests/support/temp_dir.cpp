#include "tests/support/temp_dir.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "frameset/file_system.h"

namespace kadr::testing {

TempDir::TempDir() {
    std::random_device seed;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = base / ("kadr-test-" + std::to_string(seed()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string TempDir::File(const std::string& name) const {
    return Utf8FromPath(path_ / PathFromUtf8(name));
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

Frame RandomFrame(std::mt19937& rng) {
    std::bernoulli_distribution bit(0.5);
    Frame frame;
    for (auto& cell : frame) {
        cell = bit(rng) ? 1 : 0;
    }
    return frame;
}

void FillRandom(FrameSet& set, int count, std::mt19937& rng) {
    set.LastFrame = count - 1;
    for (int f = 0; f < count; ++f) {
        set.Frames[static_cast<std::size_t>(f)] = RandomFrame(rng);
    }
    set.SetOrientation(static_cast<int>(rng() % 2));
    set.SetSpeedAnim(1 + static_cast<int>(rng() % 50));
    set.SetSpeedRow(1 + static_cast<int>(rng() % 50));
}

}  // namespace kadr::testing
