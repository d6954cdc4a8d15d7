// Feeds arbitrary bytes to both readers. Whatever a file holds, reading it must keep the frame
// set's invariants and never write past its 256 slots.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "frameset/display_file.h"
#include "frameset/errors.h"
#include "frameset/module_files.h"

namespace {

const std::filesystem::path& WorkDir() {
    static const std::filesystem::path dir = [] {
        auto path =
            std::filesystem::temp_directory_path() / ("kadr-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(WorkDir(), ec);
        });
        return path;
    }();
    return dir;
}

void Put(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

void CheckInvariants(const kadr::FrameSet& set) {
    Check(set.LastFrame >= -1 && set.LastFrame < kadr::kMaxFrames);
    Check(set.SpeedAnim >= kadr::kMinSpeed && set.SpeedAnim <= kadr::kMaxSpeed);
    Check(set.SpeedRow >= kadr::kMinSpeed && set.SpeedRow <= kadr::kMaxSpeed);
    Check(set.OrientationFlag <= 1);
    for (const kadr::Frame& frame : set.Frames) {
        for (std::uint8_t cell : frame) {
            Check(cell <= 1);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto display = WorkDir() / "f.kdz";
    Put(display, data, size);
    kadr::FrameSet set;
    try {
        kadr::ReadDisplayFile(display.string(), set);
    } catch (const kadr::FileError&) {
        Check(false);  // a plain readable file must always read
    }
    CheckInvariants(set);

    // The first byte says how many of the eight module files exist; the rest is cut into them.
    const auto names = kadr::ModuleFileNames((WorkDir() / "fuzz.bin").string());
    const std::size_t present = size > 0 ? data[0] % 9 : 0;
    const std::size_t body = size > 0 ? size - 1 : 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::filesystem::remove(names[i]);
        if (i < present) {
            const std::size_t from = body * i / present;
            const std::size_t to = body * (i + 1) / present;
            Put(names[i], data + 1 + from, to - from);
        }
    }
    try {
        const kadr::ReadReport report =
            kadr::ReadModuleFiles((WorkDir() / "fuzz.bin").string(), set);
        Check(report.complete == (present == names.size()));
    } catch (const kadr::FileError&) {
        Check(false);
    }
    CheckInvariants(set);
    return 0;
}
