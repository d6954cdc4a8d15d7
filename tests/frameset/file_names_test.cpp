// Cyrillic file names reach the file system as the very names the user typed, on every system:
// the frame set's names are UTF-8, which Windows' narrow file functions would misread.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "frameset/display_file.h"
#include "frameset/file_system.h"
#include "frameset/frame_set_files.h"
#include "frameset/module_files.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

namespace fs = std::filesystem;

// The names as the file system lists them, spelt in UTF-8 independently of the code under test.
std::string Utf8(const std::u8string& text) {
    return std::string(text.begin(), text.end());
}

std::set<std::string> Listed(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(Utf8(entry.path().filename().u8string()));
    }
    return names;
}

TEST(FileNames, CyrillicDisplayFilesAreSavedAndReadUnderTheirOwnNames) {
    testing::TempDir dir;
    const std::string folder = Utf8FromPath(dir.Path());
    const std::string name = folder + "/" + Utf8(u8"Бегущая строка №1.kdz");
    FrameSet set;
    set.LastFrame = 4;
    set.Frames[2][17] = 0;
    WriteFrameSetFile(name, set);
    EXPECT_EQ(Listed(dir.Path()), (std::set<std::string>{Utf8(u8"Бегущая строка №1.kdz")}));

    FrameSet back;
    ReadFrameSetFile(name, back);
    EXPECT_EQ(back.LastFrame, 4);
    EXPECT_EQ(back.Frames[2][17], 0);

    // Saved again: the atomic replacement keeps the name and leaves nothing beside it.
    WriteFrameSetFile(name, back);
    EXPECT_EQ(Listed(dir.Path()).size(), 1u);
}

TEST(FileNames, CyrillicModuleFileSetsPutTheModuleCodeOverTwoLetters) {
    testing::TempDir dir;
    const fs::path folder = dir.Path() / fs::path(u8"Папка");
    fs::create_directory(folder);
    FrameSet set;
    set.LastFrame = 1;
    WriteFrameSetFile(Utf8FromPath(folder) + "/" + Utf8(u8"Щит.bin"), set);
    std::set<std::string> expected;
    for (const char* code : {"h1", "h2", "h3", "h4", "l1", "l2", "l3", "l4"}) {
        expected.insert(code + Utf8(u8"т.bin"));
    }
    EXPECT_EQ(Listed(folder), expected);

    FrameSet back;
    back.LastFrame = 9;
    ReadFrameSetFile(Utf8FromPath(folder / fs::path(u8"h4т.bin")), back);
    EXPECT_EQ(back.LastFrame, 1);
}

TEST(FileNames, PathsSurviveTheRoundTripThroughUtf8) {
    const std::string name = Utf8(u8"C:/Документы/кадры.kdz");
    EXPECT_EQ(Utf8FromPath(PathFromUtf8(name)), name);
    EXPECT_EQ(Utf8(PathFromUtf8(name).filename().u8string()), Utf8(u8"кадры.kdz"));
}

}  // namespace
}  // namespace kadr
