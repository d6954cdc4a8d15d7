#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "frameset/display_file.h"
#include "frameset/frame_kinds.h"
#include "frameset/module_files.h"
#include "tests/support/kadr_tool.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using testing::Kadr;
using testing::ProcessResult;
using testing::ReadBytes;
using testing::TempDir;

TEST(KadrCli, BadUsageExitsTwoWithUsageAndWritesNothing) {
    TempDir dir;
    FrameSet set;
    WriteDisplayFile(dir.File("in.kdz"), set);
    const std::vector<std::vector<std::string>> bad{
        {},
        {"frobnicate"},
        {"info"},
        {"info", "--xml", dir.File("in.kdz")},
        {"dump"},
        {"convert", dir.File("in.kdz")},
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "add", "spin"},
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "toggle:28:1"},
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "toggle:1:15"},
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "toggle:1"},
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "select:x"},
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "select:1"},  // one frame: 0 only
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "select:0-1"},
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "select:0-x"},
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "select-add:3"},
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "repeat:1"},
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "repeat:51"},
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "speed-anim:1.5"},
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "speed-row:"},
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "orientation:2"},
        {"edit", dir.File("in.kdz"), dir.File("out.kdz"), "speed-anim:99999999999999999999"},
    };
    for (const auto& args : bad) {
        const ProcessResult r = Kadr(args);
        EXPECT_EQ(r.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_NE(r.err.find("usage: kadr"), std::string::npos);
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.kdz")));
    }
}

TEST(KadrCli, FailedInputOrOutputExitsOne) {
    TempDir dir;
    FrameSet set;
    WriteDisplayFile(dir.File("in.kdz"), set);
    ProcessResult r = Kadr({"info", dir.File("absent.kdz")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("File not found"), std::string::npos);
    r = Kadr({"convert", dir.File("in.kdz"), dir.File("no/folder/out.bin")});
    EXPECT_EQ(r.exitCode, 1);
    r = Kadr({"edit", dir.File("absent.kdz"), dir.File("out.kdz"), "add"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.empty());
}

TEST(KadrCli, InfoReportsSettingsKindsAndCompleteness) {
    TempDir dir;
    FrameSet set;
    set.LastFrame = 3;
    SetBegStr(set.Frames[1]);
    SetStr(set.Frames[2]);
    SetEndStr(set.Frames[3]);
    set.SetOrientation(1);
    set.SetSpeedAnim(12);
    set.SetSpeedRow(50);
    WriteDisplayFile(dir.File("k.kdz"), set);
    ProcessResult r = Kadr({"info", "--json", dir.File("k.kdz")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out,
              "{\"frames\":4,\"orientation\":1,\"speedAnim\":12,\"speedRow\":50,\"complete\":true,"
              "\"kinds\":[\"anim\",\"beg\",\"str\",\"end\"]}\n");

    // A module file set keeps the start-up settings; a missing member makes it incomplete.
    WriteModuleFiles(dir.File("k.bin"), set);
    std::filesystem::remove(ModuleFileNames(dir.File("k.bin"))[4]);
    r = Kadr({"info", "--json", dir.File("k.bin")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out,
              "{\"frames\":4,\"orientation\":0,\"speedAnim\":1,\"speedRow\":1,\"complete\":false,"
              "\"kinds\":[\"anim\",\"beg\",\"str\",\"end\"]}\n");

    r = Kadr({"info", dir.File("k.kdz")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("frames:             4"), std::string::npos);
}

TEST(KadrCli, DumpShowsEveryRowOfEveryFrame) {
    TempDir dir;
    FrameSet set;
    set.LastFrame = 1;
    set.Frames[1][CellIndex(0, 1)] = kDotSet;
    set.Frames[1][CellIndex(27, 15)] = kDotSet;
    WriteDisplayFile(dir.File("d.kdz"), set);
    const ProcessResult r = Kadr({"dump", dir.File("d.kdz")});
    EXPECT_EQ(r.exitCode, 0);
    const std::string blank(28, '.');
    std::string expected = "frame 0\n";
    for (int row = 0; row < 16; ++row) {
        expected += blank + "\n";
    }
    expected += "frame 1\n" + blank + "\n#" + blank.substr(1) + "\n";
    for (int row = 2; row < 15; ++row) {
        expected += blank + "\n";
    }
    expected += blank.substr(1) + "#\n";
    EXPECT_EQ(r.out, expected);
}

TEST(KadrCli, ConvertRoundTripsBetweenFormats) {
    TempDir dir;
    std::mt19937 rng(8);
    FrameSet set;
    testing::FillRandom(set, 37, rng);
    set.SetOrientation(0);
    set.SetSpeedAnim(1);
    set.SetSpeedRow(1);  // the module set does not carry settings; start-up values come back
    WriteDisplayFile(dir.File("a.kdz"), set);
    ASSERT_EQ(Kadr({"convert", dir.File("a.kdz"), dir.File("show.BIN")}).exitCode, 0);
    ASSERT_EQ(Kadr({"convert", dir.File("h1ow.BIN"), dir.File("b.kdz")}).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.File("a.kdz")), ReadBytes(dir.File("b.kdz")));
}

TEST(KadrCli, ConvertRefusesAModuleFileSetWithAFileMissing) {
    TempDir dir;
    FrameSet set;
    std::mt19937 rng(9);
    testing::FillRandom(set, 4, rng);
    WriteModuleFiles(dir.File("show.bin"), set);
    const std::string missing = ModuleFileNames(dir.File("show.bin"))[3];
    std::filesystem::remove(missing);

    ProcessResult r = Kadr({"convert", dir.File("show.bin"), dir.File("out.kdz")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(missing), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.kdz")));
    r = Kadr({"convert", dir.File("typo.bin"), dir.File("out.bin")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(dir.File("h4po.bin")), std::string::npos) << r.err;
    for (const std::string& name : ModuleFileNames(dir.File("out.bin"))) {
        EXPECT_FALSE(std::filesystem::exists(name)) << name;
    }

    // Edit still reads what is there, as the editor does, and says which file was missing.
    r = Kadr({"edit", dir.File("show.bin"), dir.File("out.kdz")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.err.find(missing), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir.File("out.kdz")));
}

TEST(KadrCli, EditReportsStateAndWritesTheResult) {
    TempDir dir;
    FrameSet set;
    WriteDisplayFile(dir.File("e.kdz"), set);
    ProcessResult r =
        Kadr({"edit", dir.File("e.kdz"), dir.File("o.kdz"), "toggle:0:1", "add", "beg", "add",
              "select:0", "insert", "undo", "speed-anim:75", "orientation:1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"lastFrame\":2,\"curFrame\":0,\"undo\":3,\"redo\":4,\"modified\":true,"
              "\"selected\":[0]}\n");
    FrameSet back;
    ReadDisplayFile(dir.File("o.kdz"), back);
    EXPECT_EQ(back.LastFrame, 2);
    EXPECT_EQ(back.SpeedAnim, 50);
    EXPECT_EQ(back.OrientationFlag, 1);
    EXPECT_EQ(back.Cell(0, 0, 1), kDotSet);
    EXPECT_EQ(GetFrameKind(back.Frames[1]), fkBegStr);
    EXPECT_EQ(GetFrameKind(back.Frames[2]), fkBegStr);

    // Deleting the only frame, then undoing: the frame is back, but none is current.
    r = Kadr({"edit", dir.File("e.kdz"), "-", "delete", "undo", "clear", "paste"});
    EXPECT_EQ(r.out,
              "{\"lastFrame\":0,\"curFrame\":-1,\"undo\":0,\"redo\":1,\"modified\":false,"
              "\"selected\":[]}\n");
    r = Kadr({"edit", dir.File("e.kdz"), "-", "paste", "copy", "undo", "undo", "redo"});
    EXPECT_EQ(r.out,
              "{\"lastFrame\":0,\"curFrame\":0,\"undo\":1,\"redo\":1,\"modified\":true,"
              "\"selected\":[0]}\n");
}

TEST(KadrCli, EditFromNothingStartsWithTheStartUpDocument) {
    TempDir dir;
    ProcessResult r = Kadr({"edit", "-", dir.File("o.kdz"), "toggle:3:8", "add"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"lastFrame\":1,\"curFrame\":1,\"undo\":1,\"redo\":1,\"modified\":true,"
              "\"selected\":[1]}\n");
    FrameSet back;
    ReadDisplayFile(dir.File("o.kdz"), back);
    ASSERT_EQ(back.LastFrame, 1);
    // Grid row 8 is frame row 9; the appended copy carries the dot too.
    EXPECT_EQ(back.Cell(0, 3, 9), kDotSet);
    EXPECT_EQ(back.Cell(1, 3, 9), kDotSet);
    EXPECT_EQ(back.Cell(0, 3, 8), kDotBlank);
    // "-" as OUT still means: write nothing, and "-" as IN reads no file named "-".
    r = Kadr({"edit", "-", "-"});
    EXPECT_EQ(r.out,
              "{\"lastFrame\":0,\"curFrame\":0,\"undo\":0,\"redo\":0,\"modified\":false,"
              "\"selected\":[0]}\n");

    // Selections in frame numbers from 0, the commands on them, and the limit of 256 frames.
    r = Kadr({"edit", "-", "-", "add", "add", "add", "select:3-1", "select-add:0", "pingpong"});
    EXPECT_EQ(r.out,
              "{\"lastFrame\":5,\"curFrame\":4,\"undo\":4,\"redo\":4,\"modified\":true,"
              "\"selected\":[4,5]}\n");
    r = Kadr({"edit", "-", "-", "add", "add", "select:0-2", "toggle:5:5"});
    EXPECT_NE(r.out.find("\"selected\":[2]}"), std::string::npos) << "a press on a grid";
    r = Kadr({"edit", "-", dir.File("full.kdz"), "select-all", "repeat:50", "select-all",
              "repeat:3", "duplicate"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("256"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("full.kdz")));
}

}  // namespace
}  // namespace kadr
