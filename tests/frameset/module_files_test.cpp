#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "frameset/display_file.h"
#include "frameset/document.h"
#include "frameset/errors.h"
#include "frameset/frame_kinds.h"
#include "frameset/module_files.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Bytes = std::vector<std::uint8_t>;
using Names = std::array<std::string, kModuleCount>;

Names Expand(const std::string& before, const std::string& after) {
    Names names;
    const char* codes[] = {"h4", "h3", "h2", "h1", "l4", "l3", "l2", "l1"};
    for (int i = 0; i < kModuleCount; ++i) {
        names[static_cast<std::size_t>(i)] = before + codes[i] + after;
    }
    return names;
}

TEST(ModuleFileNames, LongNamesLoseTwoCharactersShortOnesKeepAll) {
    EXPECT_EQ(ModuleFileNames("/data/show.bin"), Expand("/data/", "ow.bin"));
    EXPECT_EQ(ModuleFileNames("/data/abc.bin"), Expand("/data/", "c.bin"));
    EXPECT_EQ(ModuleFileNames("/data/ab.bin"), Expand("/data/", ".bin"));
    EXPECT_EQ(ModuleFileNames("/data/x.bin"), Expand("/data/", "x.bin"));
    EXPECT_EQ(ModuleFileNames("/a/very/long/folder.name/x.bin"),
              Expand("/a/very/long/folder.name/", "x.bin"));
    EXPECT_EQ(ModuleFileNames("show.bin"), Expand("", "ow.bin"));
    EXPECT_EQ(ModuleFileNames("/data/SHOW.BIN"), Expand("/data/", "OW.BIN"));
}

TEST(ModuleFileNames, CountCharactersNotBytes) {
    // "дб.bin" is 6 characters but 8 bytes: long form, both Cyrillic letters replaced.
    EXPECT_EQ(ModuleFileNames("/d/дб.bin"), Expand("/d/", ".bin"));
    // "ж.bin" is 5 characters (6 bytes): short form.
    EXPECT_EQ(ModuleFileNames("/d/ж.bin"), Expand("/d/", "ж.bin"));
    EXPECT_EQ(ModuleFileNames("/d/шоу.bin"), Expand("/d/", "у.bin"));
}

TEST(ModuleFileNames, AnyMemberOfALongNamedSetNamesTheWholeSet) {
    const Names set = ModuleFileNames("/d/a.bin");
    EXPECT_EQ(set, Expand("/d/", "a.bin"));
    for (const std::string& member : set) {
        EXPECT_EQ(ModuleFileNames(member), set) << member;
    }
}

TEST(ModuleFileSet, ExtensionDecidesRegardlessOfCase) {
    EXPECT_TRUE(IsModuleFileSetPath("/x/show.bin"));
    EXPECT_TRUE(IsModuleFileSetPath("/x/SHOW.BIN"));
    EXPECT_TRUE(IsModuleFileSetPath("/x/a.b.Bin"));
    EXPECT_FALSE(IsModuleFileSetPath("/x/show.kdz"));
    EXPECT_FALSE(IsModuleFileSetPath("/x/show.txt"));
    EXPECT_FALSE(IsModuleFileSetPath("/x/show"));
    EXPECT_FALSE(IsModuleFileSetPath("/x.bin/show"));
    EXPECT_FALSE(IsModuleFileSetPath("/x/show.bin.kdz"));
}

TEST(ModuleFileSet, KnownDocumentsHaveTheirExactBytes) {
    TempDir dir;
    FrameSet set;
    WriteModuleFiles(dir.File("a.bin"), set);
    for (const auto& name : ModuleFileNames(dir.File("a.bin"))) {
        EXPECT_EQ(ReadBytes(name), Bytes(7, 0xFF)) << name;
    }

    set.Frames[0][CellIndex(0, 1)] = kDotSet;
    set.Frames[0][CellIndex(27, 15)] = kDotSet;
    WriteModuleFiles(dir.File("a.bin"), set);
    const Names names = ModuleFileNames(dir.File("a.bin"));
    EXPECT_EQ(ReadBytes(names[0]), (Bytes{0xBF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ReadBytes(names[7]), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}));
    for (int i = 1; i < 7; ++i) {
        EXPECT_EQ(ReadBytes(names[static_cast<std::size_t>(i)]), Bytes(7, 0xFF));
    }

    SetBegStr(set.Frames[0]);
    set.LastFrame = 1;
    SetEndStr(set.Frames[1]);
    WriteModuleFiles(dir.File("a.bin"), set);
    for (const auto& name : names) {
        EXPECT_EQ(ReadBytes(name), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F,  //
                                          0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0xFF}));
    }

    set.LastFrame = -1;
    WriteModuleFiles(dir.File("a.bin"), set);
    for (const auto& name : names) {
        EXPECT_TRUE(ReadBytes(name).empty());
    }
    set.LastFrame = 255;
    WriteModuleFiles(dir.File("a.bin"), set);
    for (const auto& name : names) {
        EXPECT_EQ(std::filesystem::file_size(name), 1792U);
    }
}

TEST(ModuleFileSet, CarriesFramesButNotSettings) {
    TempDir dir;
    std::mt19937 rng(99);
    for (int count : {0, 1, 3, 256}) {
        FrameSet set;
        testing::FillRandom(set, count, rng);
        WriteModuleFiles(dir.File("show.bin"), set);
        FrameSet back;
        back.LastFrame = 9;
        back.SetSpeedAnim(33);
        back.SetOrientation(1);
        const ReadReport report = ReadModuleFiles(dir.File("h2ow.bin"), back);
        EXPECT_TRUE(report.complete);
        ASSERT_EQ(back.LastFrame, count - 1);
        EXPECT_EQ(back.SpeedAnim, 33);
        EXPECT_EQ(back.OrientationFlag, 1);
        for (int f = 0; f < count; ++f) {
            ASSERT_EQ(back.Frames[static_cast<std::size_t>(f)],
                      set.Frames[static_cast<std::size_t>(f)]);
        }
    }
}

TEST(ModuleFileSet, AgreesWithTheDisplayFileOnRandomFrames) {
    // Both formats hold the same module column bytes: going through one must give the other's
    // frames exactly.
    TempDir dir;
    std::mt19937 rng(2024);
    FrameSet set;
    testing::FillRandom(set, 40, rng);
    WriteDisplayFile(dir.File("x.kdz"), set);
    FrameSet viaDisplay;
    ReadDisplayFile(dir.File("x.kdz"), viaDisplay);
    WriteModuleFiles(dir.File("x.bin"), viaDisplay);
    FrameSet viaModules;
    ReadModuleFiles(dir.File("x.bin"), viaModules);
    viaModules.OrientationFlag = set.OrientationFlag;
    viaModules.SpeedAnim = set.SpeedAnim;
    viaModules.SpeedRow = set.SpeedRow;
    WriteDisplayFile(dir.File("y.kdz"), viaModules);
    EXPECT_EQ(ReadBytes(dir.File("x.kdz")), ReadBytes(dir.File("y.kdz")));
}

TEST(ModuleFileSet, MissingFileStopsTheReadWithWhatWasReadKept) {
    TempDir dir;
    std::mt19937 rng(5);
    FrameSet written;
    testing::FillRandom(written, 3, rng);
    WriteModuleFiles(dir.File("m.bin"), written);
    const Names names = ModuleFileNames(dir.File("m.bin"));
    for (std::size_t i = 2; i < names.size(); ++i) {
        std::filesystem::remove(names[i]);
    }
    // The h3 file holds one record more: LastFrame comes from the last file read.
    Bytes h3 = ReadBytes(names[1]);
    h3.insert(h3.end(), 7, 0x00);
    WriteBytes(names[1], h3);

    FrameSet set;
    set.LastFrame = 9;
    const ReadReport report = ReadModuleFiles(dir.File("m.bin"), set);
    EXPECT_FALSE(report.complete);
    EXPECT_EQ(report.missingFile, names[2]) << "the first missing one";
    EXPECT_EQ(set.LastFrame, 3);
    for (int f = 0; f < 3; ++f) {
        for (int c = 0; c < kColumns; ++c) {
            for (int r = 0; r < kRows; ++r) {
                const bool read = r < 8 && c < 14;  // h4 and h3 only
                EXPECT_EQ(set.Cell(f, c, r), read ? written.Cell(f, c, r) : kDotBlank);
            }
        }
    }

    std::filesystem::remove(names[0]);
    FrameSet untouched;
    untouched.LastFrame = 6;
    const ReadReport none = ReadModuleFiles(dir.File("m.bin"), untouched);
    EXPECT_FALSE(none.complete);
    EXPECT_EQ(none.missingFile, names[0]);
    EXPECT_EQ(untouched.LastFrame, 6);
}

TEST(ModuleFileSet, ADocumentReadIncompletelyHasNoFileToSaveTo) {
    TempDir dir;
    std::mt19937 rng(6);
    FrameSet written;
    testing::FillRandom(written, 2, rng);
    WriteModuleFiles(dir.File("m.bin"), written);
    WriteDisplayFile(dir.File("before.kdz"), written);

    Document document;
    document.Load(dir.File("before.kdz"));
    ASSERT_EQ(document.Set().FileName, dir.File("before.kdz"));
    document.Load(dir.File("m.bin"));
    EXPECT_EQ(document.Set().FileName, dir.File("m.bin")) << "a whole set names the document";

    std::filesystem::remove(ModuleFileNames(dir.File("m.bin"))[4]);
    document.Load(dir.File("before.kdz"));
    const ReadReport report = document.Load(dir.File("m.bin"));
    ASSERT_FALSE(report.complete);
    // Neither the set it came partly from nor the file before it holds this mixture.
    EXPECT_EQ(document.Set().FileName, "");
}

TEST(ModuleFileSet, ReadsWholeRecordsAndAtMost256) {
    TempDir dir;
    for (const auto& name : ModuleFileNames(dir.File("q.bin"))) {
        WriteBytes(name, Bytes(7 * 300 + 5, 0x00));
    }
    FrameSet set;
    const ReadReport report = ReadModuleFiles(dir.File("q.bin"), set);
    EXPECT_TRUE(report.truncated);
    EXPECT_EQ(set.LastFrame, 255);

    for (const auto& name : ModuleFileNames(dir.File("q.bin"))) {
        WriteBytes(name, Bytes(7 * 3 + 6, 0x00));
    }
    EXPECT_FALSE(ReadModuleFiles(dir.File("q.bin"), set).truncated);
    EXPECT_EQ(set.LastFrame, 2);
}

TEST(ModuleFileSet, FailedWriteLeavesEveryOldFileAsItWas) {
    TempDir dir;
    FrameSet old;
    WriteModuleFiles(dir.File("keep.bin"), old);
    const Names names = ModuleFileNames(dir.File("keep.bin"));
    std::filesystem::remove(names[5]);
    std::filesystem::create_directory(names[5]);  // l3 cannot be written

    FrameSet fresh;
    fresh.LastFrame = 4;
    EXPECT_THROW(WriteModuleFiles(dir.File("keep.bin"), fresh), FileError);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i != 5) {
            EXPECT_EQ(ReadBytes(names[i]), Bytes(7, 0xFF)) << names[i];
        }
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              8);
}

TEST(ModuleFileSet, UnreadableMemberStopsTheReadWithAnError) {
    TempDir dir;
    FrameSet set;
    WriteModuleFiles(dir.File("u.bin"), set);
    const Names names = ModuleFileNames(dir.File("u.bin"));
    std::filesystem::remove(names[2]);
    std::filesystem::create_directory(names[2]);
    try {
        ReadModuleFiles(dir.File("u.bin"), set);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
}

}  // namespace
}  // namespace kadr
