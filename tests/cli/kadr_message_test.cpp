// `kadr message` and `kadr compose`: messages with effects from the command line, through the
// real tool, with the frames checked dot by dot where the display shows them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "frameset/frame_kinds.h"
#include "tests/support/frames.h"
#include "tests/support/kadr_tool.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using testing::Kadr;
using testing::ProcessResult;
using testing::ReadFrameSet;
using testing::TempDir;

// Picture row r (0..13) of frame f: rows 0..6 are frame rows 1..7, rows 7..13 frame rows 9..15.
bool Lit(const FrameSet& set, int f, int c, int r) {
    return set.Cell(f, c, r < 7 ? r + 1 : r + 2) == kDotSet;
}

int LitCount(const FrameSet& set, int f) {
    int n = 0;
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < 14; ++r) {
            n += Lit(set, f, c, r) ? 1 : 0;
        }
    }
    return n;
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(KadrMessage, AStillTextComesStaysAndGoes) {
    TempDir dir;
    ProcessResult r = Kadr({"edit", "-", dir.File("in.kdz"), "speed-anim:10"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // "Т" centred: columns 11..15, rows 3..9. In from the right: 16 frames; 2 s at 10 a second;
    // out upwards: 9 frames. 45 frames after the start-up frame.
    r = Kadr({"message", dir.File("in.kdz"), dir.File("out.kdz"), "Т", "--in", "scroll-left",
              "--out", "scroll-up"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"lastFrame\":45,\"added\":45,\"width\":5,\"missing\":\"\"}\n");
    const FrameSet set = ReadFrameSet(dir.File("out.kdz"));
    ASSERT_EQ(set.LastFrame, 45);
    EXPECT_EQ(set.SpeedAnim, 10);
    EXPECT_EQ(LitCount(set, 1), 1);
    EXPECT_TRUE(Lit(set, 1, 27, 3));
    for (int f = 17; f <= 36; ++f) {  // R, held
        EXPECT_EQ(LitCount(set, f), 11) << f;
        EXPECT_TRUE(Lit(set, f, 11, 3) && Lit(set, f, 15, 3) && Lit(set, f, 13, 9)) << f;
    }
    EXPECT_EQ(LitCount(set, 45), 1);
    EXPECT_TRUE(Lit(set, 45, 13, 0));
    for (int f = 0; f <= 45; ++f) {
        EXPECT_EQ(GetFrameKind(set.Frames[static_cast<std::size_t>(f)]), fkAnim) << f;
    }

    // Left aligned, held 0.25 s at speed 10 (3 frames), blinking one frame at a time; a
    // running line after it is exactly what `kadr text` makes.
    r = Kadr({"message", "-", dir.File("blink.kdz"), " Т", "--align", "left", "--hold", "0.25",
              "--blink", "1", "--place", "top"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const FrameSet blink = ReadFrameSet(dir.File("blink.kdz"));
    ASSERT_EQ(blink.LastFrame, 1);  // speed 1: 0.25 s rounds to nothing, so one frame
    EXPECT_TRUE(Lit(blink, 1, 4, 0) && Lit(blink, 1, 6, 6));
    r = Kadr({"message", dir.File("in.kdz"), dir.File("line.kdz"), "до 50%", "--show", "line"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(Kadr({"text", dir.File("in.kdz"), dir.File("text.kdz"), "до 50%"}).exitCode, 0);
    EXPECT_EQ(ReadFrameSet(dir.File("line.kdz")).Frames, ReadFrameSet(dir.File("text.kdz")).Frames);
}

TEST(KadrMessage, RefusalsExitOneAndBadUsageTwoWritingNothing) {
    TempDir dir;
    const std::string out = dir.File("out.kdz");
    const std::vector<std::vector<std::string>> bad{
        {"message", "-", out},
        {"message", "-", out, ""},
        {"message", "-", out, "x", "--in", "spin"},
        {"message", "-", out, "x", "--out", "typewriter"},
        {"message", "-", out, "x", "--hold", "61"},
        {"message", "-", out, "x", "--hold", "-1"},
        {"message", "-", out, "x", "--hold", "2s"},
        {"message", "-", out, "x", "--blink", "51"},
        {"message", "-", out, "x", "--align", "center"},
        {"message", "-", out, "x", "--show", "blink"},
        {"message", "-", out, "x", "--font", "builtin14", "--size", "7"},
        {"compose", "-", out},
        {"compose", "-", out, dir.File("p.json"), "--hold", "1"},
    };
    for (const auto& args : bad) {
        const ProcessResult r = Kadr(args);
        EXPECT_EQ(r.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_NE(r.err.find("usage: kadr"), std::string::npos);
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    // 5 x 5 columns and 4 gaps: 29, one too many for a still text.
    ProcessResult r = Kadr({"message", "-", out, "ННННН"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("29 columns wide"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--show line"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    // At 5 frames a second 51.2 s are 256 frames, one more than the 255 left; 51 s fit.
    ASSERT_EQ(Kadr({"edit", "-", dir.File("in.kdz"), "speed-anim:5"}).exitCode, 0);
    r = Kadr({"message", dir.File("in.kdz"), out, "a", "--hold", "51.2"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("need 256 frames, only 255 of 256"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    r = Kadr({"message", dir.File("in.kdz"), out, "a", "--hold", "51"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFrameSet(out).LastFrame, 255);
}

TEST(KadrCompose, AppendsAProgramAtItsOwnSpeed) {
    TempDir dir;
    WriteText(dir.File("p.json"),
              R"({"speedAnim":10,"messages":[{"text":"Т","in":"scroll-left","hold":2,)"
              R"("out":"scroll-up"},{"text":"до 50%","show":"line"}]})");
    ProcessResult r = Kadr({"compose", "-", dir.File("out.kdz"), dir.File("p.json")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // The same message alone at speed 10, then the line: the frames of two `message` runs.
    ASSERT_EQ(Kadr({"edit", "-", dir.File("in.kdz"), "speed-anim:10"}).exitCode, 0);
    ASSERT_EQ(Kadr({"message", dir.File("in.kdz"), dir.File("a.kdz"), "Т", "--in", "scroll-left",
                    "--out", "scroll-up"})
                  .exitCode,
              0);
    const ProcessResult line =
        Kadr({"message", dir.File("a.kdz"), dir.File("b.kdz"), "до 50%", "--show", "line"});
    ASSERT_EQ(line.exitCode, 0);
    const FrameSet composed = ReadFrameSet(dir.File("out.kdz"));
    const FrameSet twice = ReadFrameSet(dir.File("b.kdz"));
    EXPECT_EQ(composed.SpeedAnim, 10);
    ASSERT_EQ(composed.LastFrame, twice.LastFrame);
    EXPECT_EQ(composed.Frames, twice.Frames);
    const int added = composed.LastFrame;
    EXPECT_EQ(r.out, "{\"lastFrame\":" + std::to_string(added) +
                         ",\"added\":" + std::to_string(added) +
                         ",\"width\":" + line.out.substr(line.out.find("\"width\":") + 8));
}

TEST(KadrCompose, ABadProgramNamesItsFieldAndWritesNothing) {
    TempDir dir;
    const std::string out = dir.File("out.kdz");
    const std::pair<const char*, const char*> cases[] = {
        {R"({"messages":[{"text":"a"},{"text":"b","hold":61}]})",
         "kadr: messages[1].hold: must be 0 to 60\n"},
        {R"({"messages":[{"text":"a","in":"spin"}]})", "kadr: messages[0].in: must be one of "},
        {R"({"messages":[{"text":"a"},{"text":"ННННН"}]})",
         "kadr: messages[1]: the still text is 29 columns wide"},
        {R"({"messages":[{"text":""}]})", "kadr: messages[0]: the text is empty"},
        {R"({"messages":[]})", "kadr: the program has no messages"},
        {R"({"speedAnim":50,"messages":[{"text":"a","hold":6}]})", "need 300 frames"},
        {R"({"messages":)", "kadr: not a JSON program: "},
    };
    for (const auto& [json, message] : cases) {
        WriteText(dir.File("p.json"), json);
        const ProcessResult r = Kadr({"compose", "-", out, dir.File("p.json")});
        EXPECT_EQ(r.exitCode, 1) << json;
        EXPECT_NE(r.err.find(message), std::string::npos) << json << "\n" << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    const ProcessResult r = Kadr({"compose", "-", out, dir.File("missing.json")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("missing.json"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace kadr
