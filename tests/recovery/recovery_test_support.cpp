#include "tests/recovery/recovery_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "frameset/recovery_copy.h"
#include "tests/support/run_process.h"
#include "tests/support/temp_dir.h"

namespace kadr::testing {

std::string MakeOrphan(const std::string& folder, const FrameSet& set, std::int64_t savedAtMs) {
    const std::string bytesFile =
        (std::filesystem::path(folder).parent_path() / "copy.bytes").string();
    WriteBytes(bytesFile, EncodeRecoveryCopy(set, savedAtMs));
    const ProcessResult made = RunProcess(KADR_ORPHAN_MAKER, {folder, bytesFile});
    EXPECT_EQ(made.exitCode, 0) << made.err;
    std::string path = made.out;
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) {
        path.pop_back();
    }
    std::filesystem::remove(bytesFile);
    return path;
}

}  // namespace kadr::testing
