// Saving replaces a file only as a whole: what the user may not change stays unchanged, what was
// there keeps its permissions, and a set of files is replaced all together or not at all.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "frameset/display_file.h"
#include "frameset/errors.h"
#include "frameset/file_streams.h"
#include "frameset/module_files.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Bytes = std::vector<std::uint8_t>;

constexpr uid_t kNobody = 65534;

std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtomicSave, AReadOnlyFileIsNotReplacedEvenWhereTheFolderAllowsIt) {
    TempDir dir;
    FrameSet old;
    WriteDisplayFile(dir.File("ro.kdz"), old);
    const Bytes before = ReadBytes(dir.File("ro.kdz"));
    fs::permissions(dir.File("ro.kdz"),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    // Anyone may create and rename files in the folder, so only the file's own protection can
    // keep a new file from being renamed over it.
    fs::permissions(dir.Path(), fs::perms::all);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Permissions do not bind the superuser: the save runs as an ordinary user.
        if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            _exit(3);
        }
        FrameSet changed;
        changed.LastFrame = 4;
        try {
            WriteDisplayFile(dir.File("ro.kdz"), changed);
        } catch (const FileError& e) {
            _exit(std::string(e.what()) == "File access denied" ? 0 : 2);
        }
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "1: the save claimed success, 2: another message, 3: could not drop privileges";
    EXPECT_EQ(ReadBytes(dir.File("ro.kdz")), before);
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"ro.kdz"}) << "a temporary was left";
}

TEST(AtomicSave, ASavedFileKeepsItsPermissions) {
    TempDir dir;
    FrameSet set;
    const fs::perms kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    WriteDisplayFile(dir.File("p.kdz"), set);
    fs::permissions(dir.File("p.kdz"), kept);
    const std::string chosen = dir.File("show.bin");
    WriteModuleFiles(chosen, set);
    const auto names = ModuleFileNames(chosen);
    for (const std::string& name : names) {
        fs::permissions(name, kept);
    }
    fs::permissions(names[3], kept | fs::perms::others_read);

    set.LastFrame = 2;
    WriteDisplayFile(dir.File("p.kdz"), set);
    WriteModuleFiles(chosen, set);
    EXPECT_EQ(fs::status(dir.File("p.kdz")).permissions(), kept);
    EXPECT_EQ(ReadBytes(dir.File("p.kdz")).size(), 5U + 3U * 56U);
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(fs::status(names[i]).permissions(),
                  i == 3 ? (kept | fs::perms::others_read) : kept)
            << names[i];
        EXPECT_EQ(ReadBytes(names[i]).size(), 3U * 7U) << names[i];
    }
}

// The targets "a", "b" and "c" exist with old content, "new" does not; the rename of "c" fails
// after "a", "new" and "b" were already replaced.
TEST(AtomicSave, APublishThatFailsPartWayPutsEveryFileBack) {
    TempDir dir;
    const Bytes old{1, 2, 3};
    for (const char* name : {"a", "b", "c"}) {
        WriteBytes(dir.File(name), old);
    }
    std::vector<std::unique_ptr<AtomicFile>> files;
    std::vector<AtomicFile*> order;
    const Bytes fresh{9, 9, 9, 9};
    for (const char* name : {"a", "new", "b", "c"}) {
        auto& file = files.emplace_back(std::make_unique<AtomicFile>(dir.File(name)));
        file->Write(fresh);
        file->Finish();
        order.push_back(file.get());
    }
    // Take the finished temporary of "c" away, so that its rename meets nothing to rename.
    for (const std::string& entry : Entries(dir.Path())) {
        if (entry.rfind(".c.kadr-new-", 0) == 0) {
            fs::remove(dir.Path() / entry);
        }
    }

    EXPECT_THROW(PublishTogether(order), FileError);
    for (const char* name : {"a", "b", "c"}) {
        EXPECT_EQ(ReadBytes(dir.File(name)), old) << name;
    }
    EXPECT_FALSE(fs::exists(dir.File("new"))) << "a file that was not there is not left there";
    files.clear();
    EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"a", "b", "c"}))
        << "backups or temporaries were left";
}

}  // namespace
}  // namespace kadr
