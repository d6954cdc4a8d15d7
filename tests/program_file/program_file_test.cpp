// Program files: the issue's example read field by field, defaults for what is omitted, every
// refusal naming its field by path, and files written so that they read back the same.
#include <gtest/gtest.h>

#include <fstream>

#include "program_file/program_file.h"
#include "tests/support/temp_dir.h"

namespace kadr::messages {
namespace {

std::string RefusalOf(const std::string& json) {
    try {
        ParseProgram(json);
    } catch (const ProgramFormatError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(ProgramFile, ReadsTheExampleAndFillsInTheFixedDefaults) {
    const Program program = ParseProgram(
        R"({"speedAnim":10,"messages":[{"text":"Скидки","show":"still","align":"centre",)"
        R"("in":"scroll-left","hold":2,"blink":0,"out":"scroll-up","font":"builtin",)"
        R"("place":"middle","gap":1}, {"text":"до 50% на всё!","show":"line"}]})");
    ASSERT_EQ(program.speedAnim, 10);
    ASSERT_EQ(program.messages.size(), 2u);
    const Message& first = program.messages[0];
    EXPECT_EQ(first.text, "Скидки");
    EXPECT_EQ(first.show, Show::Still);
    EXPECT_EQ(first.align, Align::Centre);
    EXPECT_EQ(first.in, Effect::ScrollLeft);
    EXPECT_EQ(first.out, Effect::ScrollUp);
    EXPECT_EQ(first.hold, 2.0);
    EXPECT_EQ(first.font, "builtin");
    EXPECT_EQ(first.place, text::Placement::Middle);
    const Message& second = program.messages[1];
    EXPECT_EQ(second.text, "до 50% на всё!");
    EXPECT_EQ(second.show, Show::Line);
    // Omitted: still's defaults of `kadr message`, centred, no effects, 2 s, built-in font.
    EXPECT_EQ(second.align, Align::Centre);
    EXPECT_EQ(second.in, Effect::None);
    EXPECT_EQ(second.out, Effect::None);
    EXPECT_EQ(second.hold, 2.0);
    EXPECT_EQ(second.blink, 0);
    EXPECT_EQ(second.gap, 1);
    EXPECT_EQ(second.size, 14);

    const Program bare = ParseProgram(R"({"messages":[{"text":"a","hold":0.5}]})");
    EXPECT_FALSE(bare.speedAnim);
    EXPECT_EQ(bare.messages[0].hold, 0.5);
    EXPECT_EQ(bare.messages[0].show, Show::Still);
}

TEST(ProgramFile, RefusalsNameTheFieldByItsPath) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"messages":[{"text":"a"},{"text":"b","hold":61}]})",
         "messages[1].hold: must be 0 to 60"},
        {R"({"messages":[{"text":"a","hold":-1}]})", "messages[0].hold: must be 0 to 60"},
        {R"({"messages":[{"text":"a","hold":"2"}]})", "messages[0].hold: must be 0 to 60"},
        {R"({"messages":[{"text":"a","blink":51}]})", "messages[0].blink: must be 0 to 50"},
        {R"({"messages":[{"text":"a","blink":1.5}]})", "messages[0].blink: must be 0 to 50"},
        {R"({"messages":[{"text":"a","gap":4}]})", "messages[0].gap: must be 0 to 3"},
        {R"({"messages":[{"text":"a","size":6}]})", "messages[0].size: must be 7 to 14"},
        {R"({"speedAnim":0,"messages":[]})", "speedAnim: must be 1 to 50"},
        {R"({"speedAnim":"fast","messages":[]})", "speedAnim: must be 1 to 50"},
        {R"({"messages":[{"text":"a"},{"text":"b"},{"text":"c","in":"spin"}]})",
         "messages[2].in: must be one of none, scroll-left, scroll-right, scroll-up, "
         "scroll-down, wipe-right, wipe-left, open, close, typewriter, dissolve"},
        {R"({"messages":[{"text":"a","out":"typewriter"}]})",
         "messages[0].out: must be one of none, scroll-left, scroll-right, scroll-up, "
         "scroll-down, wipe-right, wipe-left, open, close, dissolve"},
        {R"({"messages":[{"text":"a","show":"blink"}]})",
         "messages[0].show: must be still or line"},
        {R"({"messages":[{"text":"a","align":"center"}]})",
         "messages[0].align: must be left, centre or right"},
        {R"({"messages":[{"text":"a","place":3}]})",
         "messages[0].place: must be top, bottom or middle"},
        {R"({"messages":[{"text":7}]})", "messages[0].text: must be a string"},
        {R"({"messages":[{"hold":1}]})", "messages[0].text: missing"},
        {R"({"messages":[{"text":"a","font":""}]})", "messages[0].font: must name a font"},
        {R"({"messages":[{"text":"a","hlod":1}]})", "messages[0].hlod: unknown field"},
        {R"({"messages":["a"]})", "messages[0]: must be an object"},
        {R"({"messages":{"text":"a"}})", "messages: must be a list of messages"},
        {R"({"speedAnim":5})", "messages: missing"},
        {R"([1,2])", "program: must be an object"},
    };
    for (const auto& [json, message] : cases) {
        EXPECT_EQ(RefusalOf(json), message) << json;
    }
    EXPECT_EQ(RefusalOf(R"({"messages":[{"text":"a","hold":60,"blink":50,"gap":0}]})"), "accepted");
    EXPECT_EQ(RefusalOf("{\"messages\":[").rfind("not a JSON program: ", 0), 0u);
}

TEST(ProgramFile, WrittenFilesReadBackTheSameAndBadOnesLeaveNothingBehind) {
    Program program;
    program.speedAnim = 7;
    Message still;
    still.text = "Цена: 99 ₽ \"хит\"";
    still.align = Align::Right;
    still.in = Effect::Typewriter;
    still.out = Effect::Dissolve;
    still.hold = 1.25;
    still.blink = 3;
    still.font = "DejaVu Sans";
    still.size = 9;
    still.place = text::Placement::Top;
    still.gap = 0;
    Message line;
    line.text = "до 50% на всё!";
    line.show = Show::Line;
    program.messages = {still, line};

    testing::TempDir dir;
    const std::string path = dir.File("program.json");
    WriteProgramFile(path, program);
    EXPECT_EQ(ReadProgramFile(path), program);
    // Whole seconds are written as whole numbers, and the first field is the speed.
    const std::string text = ProgramJson({std::nullopt, {line}});
    EXPECT_NE(text.find("\"hold\": 2,"), std::string::npos) << text;
    EXPECT_EQ(text.find("speedAnim"), std::string::npos);
    EXPECT_EQ(ProgramJson(program).find("{\n  \"speedAnim\": 7,"), 0u);

    std::ofstream(dir.File("bad.json")) << R"({"messages":[{"text":"a","hold":99}]})";
    EXPECT_THROW(ReadProgramFile(dir.File("bad.json")), ProgramFormatError);
    EXPECT_THROW(ReadProgramFile(dir.File("missing.json")), FileError);
    // A failed write keeps the old file.
    EXPECT_THROW(WriteProgramFile(dir.File("no/such/folder/p.json"), program), FileError);
    EXPECT_EQ(ReadProgramFile(path), program);
}

}  // namespace
}  // namespace kadr::messages
