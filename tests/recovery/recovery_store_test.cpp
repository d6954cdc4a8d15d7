// The recovery folder shared by every editor of the user: copies of running editors are never
// touched, those of dead ones are offered newest first.
#include <gtest/gtest.h>

#include <filesystem>

#include <QDir>
#include <QFile>

#include "editor/recovery/recovery_store.h"
#include "frameset/recovery_copy.h"
#include "tests/recovery/recovery_test_support.h"
#include "tests/support/temp_dir.h"

namespace kadr::editor {
namespace {

using kadr::testing::MakeOrphan;
using kadr::testing::ReadBytes;
using kadr::testing::TempDir;
using kadr::testing::WriteBytes;

FrameSet Named(const std::string& name, int frames) {
    FrameSet set;
    set.LastFrame = frames - 1;
    set.FillAllBlank();
    set.FileName = name;
    return set;
}

std::size_t FilesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

TEST(RecoveryStore, ARunningEditorsCopyIsNeverOffered) {
    TempDir dir;
    const QString folder = QString::fromStdString(dir.File("recovery"));
    RecoveryStore first(folder);
    RecoveryStore second(folder);
    ASSERT_TRUE(first.Usable());
    ASSERT_TRUE(second.Usable());
    EXPECT_NE(first.OwnCopyPath(), second.OwnCopyPath());
    ASSERT_TRUE(first.WriteOwn(EncodeRecoveryCopy(Named("a.kdz", 2), 10)));
    EXPECT_TRUE(second.FindOrphans().empty());
    EXPECT_TRUE(QFile::exists(first.OwnCopyPath())) << "nor deleted";
    // Written atomically: the copy is there whole, with no temporary left beside it.
    const auto copy = DecodeRecoveryCopy(ReadBytes(first.OwnCopyPath().toStdString()));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->set.FileName, "a.kdz");
    EXPECT_EQ(FilesIn(dir.File("recovery")), 3U) << "two locks and one copy";
    first.RemoveOwn();
    EXPECT_FALSE(QFile::exists(first.OwnCopyPath()));
}

TEST(RecoveryStore, CopiesOfDeadEditorsComeNewestFirstAndStayTheirsWhileOffered) {
    TempDir dir;
    const std::string folder = dir.File("recovery");
    std::filesystem::create_directories(folder);
    const std::string older = MakeOrphan(folder, Named("older.kdz", 1), 1000);
    const std::string newest = MakeOrphan(folder, Named("newest.bin", 3), 3000);
    const std::string middle = MakeOrphan(folder, Named("", 2), 2000);
    ASSERT_TRUE(std::filesystem::exists(older));

    RecoveryStore store(QString::fromStdString(folder));
    std::vector<OrphanCopy> orphans = store.FindOrphans();
    ASSERT_EQ(orphans.size(), 3U);
    EXPECT_EQ(orphans[0].copy->set.FileName, "newest.bin");
    EXPECT_EQ(orphans[0].copy->set.FrameCount(), 3);
    EXPECT_EQ(orphans[1].copy->set.FileName, "");
    EXPECT_EQ(orphans[2].copy->set.FileName, "older.kdz");
    EXPECT_EQ(orphans[0].path.toStdString(), newest);

    // While this editor holds them, a third one started now does not see them.
    RecoveryStore third(QString::fromStdString(folder));
    EXPECT_TRUE(third.FindOrphans().empty());

    orphans[0].Delete();
    EXPECT_FALSE(std::filesystem::exists(newest));
    orphans.clear();  // not answered: the other two stay for the next start
    EXPECT_EQ(third.FindOrphans().size(), 2U);
    EXPECT_TRUE(std::filesystem::exists(middle));
}

TEST(RecoveryStore, DamagedCopiesAndLeftOverLocksAreCleared) {
    TempDir dir;
    const std::string folder = dir.File("recovery");
    std::filesystem::create_directories(folder);
    const std::string cut = MakeOrphan(folder, Named("cut.kdz", 4), 1000);
    auto bytes = ReadBytes(cut);
    bytes.resize(bytes.size() / 2);
    WriteBytes(cut, bytes);
    // An editor killed before its first copy leaves a lock alone.
    const std::string lockOnly = MakeOrphan(folder, Named("x.kdz", 1), 1000);
    std::filesystem::remove(lockOnly);

    RecoveryStore store(QString::fromStdString(folder));
    EXPECT_TRUE(store.FindOrphans().empty());
    EXPECT_EQ(FilesIn(folder), 1U) << "only this editor's own lock is left";
}

TEST(RecoveryStore, AFolderThatCannotBeMadeMeansNoCopies) {
    TempDir dir;
    WriteBytes(dir.File("file"), {1});
    RecoveryStore store(QString::fromStdString(dir.File("file/recovery")));
    EXPECT_FALSE(store.Usable());
    EXPECT_FALSE(store.WriteOwn({1, 2, 3}));
    EXPECT_TRUE(store.FindOrphans().empty());
}

}  // namespace
}  // namespace kadr::editor
