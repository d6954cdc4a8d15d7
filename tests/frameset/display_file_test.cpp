#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <csignal>
#include <filesystem>
#include <random>

#include "frameset/display_file.h"
#include "frameset/errors.h"
#include "frameset/frame_codec.h"
#include "frameset/frame_kinds.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Bytes = std::vector<std::uint8_t>;

Bytes Concat(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(DisplayFile, StartUpAndEmptyDocumentsHaveTheirExactBytes) {
    TempDir dir;
    FrameSet set;
    WriteDisplayFile(dir.File("one.kdz"), set);
    EXPECT_EQ(ReadBytes(dir.File("one.kdz")), Concat({0, 1, 1, 1, 0}, Bytes(56, 0xFF)));

    set.LastFrame = -1;
    set.SetOrientation(1);
    set.SetSpeedAnim(12);
    set.SetSpeedRow(34);
    WriteDisplayFile(dir.File("empty.kdz"), set);
    EXPECT_EQ(ReadBytes(dir.File("empty.kdz")), (Bytes{1, 12, 34, 0, 0}));

    FrameSet back;
    ReadDisplayFile(dir.File("empty.kdz"), back);
    EXPECT_EQ(back.LastFrame, -1);
    EXPECT_EQ(back.OrientationFlag, 1);
    EXPECT_EQ(back.SpeedAnim, 12);
    EXPECT_EQ(back.SpeedRow, 34);
}

TEST(DisplayFile, RandomSetsSurviveWriteAndRead) {
    TempDir dir;
    std::mt19937 rng(42);
    for (int count : {0, 1, 2, 17, 255, 256}) {
        FrameSet set;
        testing::FillRandom(set, count, rng);
        WriteDisplayFile(dir.File("r.kdz"), set);
        EXPECT_EQ(ReadBytes(dir.File("r.kdz")).size(), 5U + 56U * static_cast<unsigned>(count));

        FrameSet back;
        const ReadReport report = ReadDisplayFile(dir.File("r.kdz"), back);
        EXPECT_FALSE(report.truncated);
        ASSERT_EQ(back.LastFrame, set.LastFrame);
        EXPECT_EQ(back.OrientationFlag, set.OrientationFlag);
        EXPECT_EQ(back.SpeedAnim, set.SpeedAnim);
        EXPECT_EQ(back.SpeedRow, set.SpeedRow);
        for (int f = 0; f < count; ++f) {
            ASSERT_EQ(back.Frames[static_cast<std::size_t>(f)],
                      set.Frames[static_cast<std::size_t>(f)])
                << f;
        }
    }
}

TEST(DisplayFile, FrameCountComesFromTheLengthRule) {
    TempDir dir;
    const Bytes header{0, 1, 1, 7, 0};  // claims 7 frames; the length decides
    struct Case {
        std::size_t body;
        int frames;
    };
    // (length + 4) div 56: 47 to 55 bytes after the last whole record count as one more frame.
    for (Case c : {Case{0, 0}, Case{46, 0}, Case{47, 1}, Case{56 * 3, 3}, Case{56 * 3 + 40, 3},
                   Case{56 * 3 + 46, 3}, Case{56 * 3 + 47, 4}, Case{56 * 3 + 55, 4}}) {
        WriteBytes(dir.File("l.kdz"), Concat(header, Bytes(c.body, 0x00)));
        FrameSet set;
        ReadDisplayFile(dir.File("l.kdz"), set);
        EXPECT_EQ(set.FrameCount(), c.frames) << "body " << c.body;
    }
}

TEST(DisplayFile, CutShortLastRecordReadsMissingBytesAsBlank) {
    TempDir dir;
    WriteBytes(dir.File("cut.kdz"), Concat({0, 1, 1, 1, 0}, Bytes(50, 0x00)));
    FrameSet set;
    ReadDisplayFile(dir.File("cut.kdz"), set);
    ASSERT_EQ(set.LastFrame, 0);
    FrameRecord expected;
    expected.fill(0xFF);
    std::fill(expected.begin(), expected.begin() + 50, 0x00);
    EXPECT_EQ(EncodeFrame(set.Frames[0]), expected);
}

TEST(DisplayFile, ShortFilesGiveAnEmptySetAndKeepSettingsWithoutAHeader) {
    TempDir dir;
    FrameSet set;
    set.SetSpeedAnim(9);
    set.SetOrientation(1);
    WriteBytes(dir.File("tiny.kdz"), Bytes{0, 5});
    ReadDisplayFile(dir.File("tiny.kdz"), set);
    EXPECT_EQ(set.LastFrame, -1);
    EXPECT_EQ(set.SpeedAnim, 9);
    EXPECT_EQ(set.OrientationFlag, 1);

    WriteBytes(dir.File("hdr.kdz"), Bytes{2, 0, 99, 3, 0, 0xAA});
    ReadDisplayFile(dir.File("hdr.kdz"), set);
    EXPECT_EQ(set.LastFrame, -1);
    EXPECT_EQ(set.OrientationFlag, 1);
    EXPECT_EQ(set.SpeedAnim, 1);
    EXPECT_EQ(set.SpeedRow, 50);
}

TEST(DisplayFile, ReadingFewerFramesLeavesHigherSlotsUntouched) {
    TempDir dir;
    std::mt19937 rng(1);
    FrameSet big;
    testing::FillRandom(big, 10, rng);
    const Frame slot5 = big.Frames[5];
    FrameSet small;
    small.LastFrame = 2;
    WriteDisplayFile(dir.File("s.kdz"), small);
    ReadDisplayFile(dir.File("s.kdz"), big);
    EXPECT_EQ(big.LastFrame, 2);
    EXPECT_EQ(big.Frames[5], slot5);
}

TEST(DisplayFile, MoreThan256RecordsAreTruncatedAndReported) {
    TempDir dir;
    Bytes bytes{0, 1, 1, 0x2C, 0x01};
    for (int f = 0; f < 300; ++f) {
        bytes.insert(bytes.end(), 56, static_cast<std::uint8_t>(f < 256 ? 0xFF : 0x00));
    }
    WriteBytes(dir.File("big.kdz"), bytes);
    FrameSet set;
    const ReadReport report = ReadDisplayFile(dir.File("big.kdz"), set);
    EXPECT_TRUE(report.truncated);
    EXPECT_EQ(set.LastFrame, 255);
    EXPECT_EQ(set.Frames[255][0], 1);  // from record 256, not from the ones beyond
}

TEST(DisplayFile, UnreadableFilesAreReportedAndLeaveTheSetAlone) {
    TempDir dir;
    FrameSet set;
    set.LastFrame = 4;
    try {
        ReadDisplayFile(dir.File("missing.kdz"), set);
        FAIL() << "a missing file must not read as an empty set";
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "File not found");
    }
    std::filesystem::create_directory(dir.File("folder.kdz"));
    EXPECT_THROW(ReadDisplayFile(dir.File("folder.kdz"), set), FileError);
    EXPECT_EQ(set.LastFrame, 4);
}

TEST(DisplayFile, ReadOnlyFilesReadLikeAnyOther) {
    TempDir dir;
    FrameSet set;
    set.LastFrame = 1;
    WriteDisplayFile(dir.File("ro.kdz"), set);
    std::filesystem::permissions(dir.File("ro.kdz"), std::filesystem::perms::owner_read);
    FrameSet back;
    back.LastFrame = 7;
    ReadDisplayFile(dir.File("ro.kdz"), back);
    EXPECT_EQ(back.LastFrame, 1);
}

#if !defined(_WIN32)
// The full disk is made with a POSIX file size limit in a child process.
TEST(DisplayFile, FailedWriteKeepsTheOldFileAndLeavesNoLitter) {
    TempDir dir;
    FrameSet old;
    WriteDisplayFile(dir.File("keep.kdz"), old);
    const Bytes before = ReadBytes(dir.File("keep.kdz"));

    // A child process whose file size limit makes every large write fail as on a full disk.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        FrameSet big;
        big.LastFrame = 255;
        try {
            WriteDisplayFile(dir.File("keep.kdz"), big);
        } catch (const FileError& e) {
            _exit(std::string(e.what()) == "Disk full" ? 0 : 2);
        }
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the write claimed success, 2: wrong message";
    EXPECT_EQ(ReadBytes(dir.File("keep.kdz")), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}
#endif

TEST(DisplayFile, WritesIntoAMissingFolderFailWithARuntimeText) {
    TempDir dir;
    FrameSet set;
    try {
        WriteDisplayFile(dir.File("no/such/folder/x.kdz"), set);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "Invalid filename");
    }
}

TEST(DisplayFile, SavingThroughASymlinkUpdatesItsTarget) {
    TempDir dir;
    FrameSet set;
    WriteDisplayFile(dir.File("real.kdz"), set);
    std::error_code ec;
    std::filesystem::create_symlink(dir.File("real.kdz"), dir.File("link.kdz"), ec);
    if (ec) {
        // Windows lets only privileged users (or developer mode) make links.
        GTEST_SKIP() << "no symbolic links here: " << ec.message();
    }
    set.LastFrame = 2;
    WriteDisplayFile(dir.File("link.kdz"), set);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.kdz")));
    EXPECT_EQ(ReadBytes(dir.File("real.kdz")).size(), 5U + 3U * 56U);
}

}  // namespace
}  // namespace kadr
