// `kadr text`: a running line from the command line, as scripts use it.
#include <gtest/gtest.h>

#include <filesystem>

#include "frameset/frame_kinds.h"
#include "frameset/text/builtin_font.h"
#include "frameset/text/running_line.h"
#include "tests/support/frames.h"
#include "tests/support/kadr_tool.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using testing::Kadr;
using testing::ProcessResult;
using testing::ReadFrameSet;
using testing::TempDir;

TEST(KadrText, AppendsTheLineAndReportsIt) {
    TempDir dir;
    const ProcessResult r = Kadr({"text", "-", dir.File("out.kdz"), "Привет"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"lastFrame\":4,\"added\":4,\"width\":31,\"missing\":\"\"}\n");
    const FrameSet set = ReadFrameSet(dir.File("out.kdz"));
    ASSERT_EQ(set.LastFrame, 4);
    EXPECT_EQ(GetFrameKind(set.Frames[0]), fkAnim);  // the start-up frame stays first
    EXPECT_EQ(GetFrameKind(set.Frames[1]), fkBegStr);
    EXPECT_EQ(GetFrameKind(set.Frames[2]), fkStr);
    EXPECT_EQ(GetFrameKind(set.Frames[3]), fkStr);
    EXPECT_EQ(GetFrameKind(set.Frames[4]), fkEndStr);
    // The very dots the renderer gives, centred by default.
    const std::vector<Frame> expected =
        text::RunningLineFrames(text::RenderText("Привет", text::BuiltinFont(), {}).picture);
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(set.Frames[k + 1], expected[k]) << k;
    }

    // A second line goes after the first, whatever frame is current in the file.
    const ProcessResult again =
        Kadr({"text", dir.File("out.kdz"), dir.File("two.bin"), "a☃b☃", "--font", "builtin14",
              "--gap", "0", "--lead", "28", "--trail", "1", "--place", "top"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    // a and b 8 columns each at 14 dots, two boxes of 10: 28 + 36 + 1 = 65 columns, 3 frames.
    EXPECT_EQ(again.out, "{\"lastFrame\":9,\"added\":5,\"width\":65,\"missing\":\"☃\"}\n");
    const FrameSet two = ReadFrameSet(dir.File("two.bin"));
    EXPECT_EQ(two.LastFrame, 9);
    EXPECT_EQ(GetFrameKind(two.Frames[5]), fkBegStr);
    EXPECT_EQ(GetFrameKind(two.Frames[9]), fkEndStr);
    EXPECT_EQ(two.Frames[4], set.Frames[4]);
}

TEST(KadrText, BadUsageExitsTwoAndTooLongExitsOneWritingNothing) {
    TempDir dir;
    const std::string out = dir.File("out.kdz");
    const std::vector<std::vector<std::string>> bad{
        {"text", "-", out},
        {"text", "-", out, ""},
        {"text", "-", out, "x", "--gap", "4"},
        {"text", "-", out, "x", "--place", "left"},
        {"text", "-", out, "x", "--lead", "-1"},
        {"text", "-", out, "x", "--size", "6"},
        {"text", "-", out, "x", "--font", "builtin", "--size", "14"},
        {"text", "-", out, "x", "--colour", "red"},
        {"text", "-", out, "x", "y"},
    };
    for (const auto& args : bad) {
        const ProcessResult r = Kadr(args);
        EXPECT_EQ(r.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_NE(r.err.find("usage: kadr"), std::string::npos);
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    // Three frames leave 253 free. 7025 blank columns and an I (3 columns) are 7028 columns,
    // 251 frames of text, 253 with start and end: they just fit; one column more does not.
    ProcessResult r = Kadr({"edit", "-", dir.File("three.kdz"), "add", "add"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = Kadr({"text", dir.File("three.kdz"), out, "I", "--lead", "7026"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("needs 254 frames, only 253 of 256"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(std::filesystem::exists(out));
    r = Kadr({"text", dir.File("three.kdz"), out, "I", "--lead", "7025"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFrameSet(out).LastFrame, 255);
}

TEST(KadrText, DesktopFontsByFamily) {
    TempDir dir;
    ProcessResult r = Kadr({"text", "-", dir.File("out.kdz"), "Hello", "--font", "DejaVu Sans",
                            "--size", "9", "--place", "bottom"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const FrameSet set = ReadFrameSet(dir.File("out.kdz"));
    ASSERT_GE(set.LastFrame, 3);
    bool upper = false;
    bool lower = false;
    for (int f = 2; f < set.LastFrame; ++f) {
        for (int c = 0; c < kColumns; ++c) {
            for (int row = 1; row < kRows; ++row) {
                if (!IsMarkRow(row) && set.Cell(f, c, row) == kDotSet) {
                    // Bottom placement of 9 rows: picture rows 5..13, frame rows 6, 7 and 9..15.
                    EXPECT_GE(row, 6);
                    (row < 8 ? upper : lower) = true;
                }
            }
        }
    }
    EXPECT_TRUE(lower);
    EXPECT_TRUE(upper);
    r = Kadr({"text", "-", dir.File("none.kdz"), "Hello", "--font", "No Such Family 0815"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("no font named 'No Such Family 0815'"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("none.kdz")));
}

}  // namespace
}  // namespace kadr
