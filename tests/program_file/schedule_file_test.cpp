// Schedule files and the files of live fields: the example read, every refusal naming its field
// by path, a written file reading back the same, and first lines taken as a display needs them.
#include <gtest/gtest.h>

#include <fstream>

#include "frameset/messages/message_fonts.h"
#include "program_file/field_lines.h"
#include "program_file/schedule_file.h"
#include "program_file/show_sets.h"
#include "tests/support/temp_dir.h"

namespace kadr::schedule {
namespace {

std::string RefusalOf(const std::string& json) {
    try {
        ParseSchedule(json);
    } catch (const ScheduleFormatError& e) {
        return e.what();
    }
    return "accepted";
}

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(ScheduleFile, ReadsEveryFieldAndWritesItBack) {
    const Schedule s = ParseSchedule(
        R"({"entries":[{"days":["mon","fri"],"from":"08:00","to":"12:00","show":"утро.json"},)"
        R"({"from":"19:00","to":"02:00","show":"вечер.kdz"},)"
        R"({"days":["sun"],"from":"00:00","to":"24:00","show":"/abs/sun.bin"}],)"
        R"("default":"default.kdz","port":"Com2","baud":19200,"timeout":5,"speedRow":20,)"
        R"("orientation":1})");
    ASSERT_EQ(s.entries.size(), 3U);
    EXPECT_EQ(s.entries[0], (Entry{0x11, 480, 720, "утро.json"}));
    EXPECT_EQ(s.entries[1], (Entry{kEveryDay, 1140, 120, "вечер.kdz"}));
    EXPECT_EQ(s.entries[1].Minutes(), 7 * 60);
    EXPECT_EQ(s.entries[2].Minutes(), 24 * 60);
    EXPECT_EQ(s.defaultShow, "default.kdz");
    EXPECT_EQ(s.line, (LineChoice{"Com2", 19200, 5}));
    EXPECT_EQ(s.speedRow, 20);
    EXPECT_EQ(s.orientation, 1);
    EXPECT_EQ(ParseSchedule(ScheduleJson(s)), s);

    const Schedule dark = ParseSchedule(R"({"entries":[],"default":null})");
    EXPECT_EQ(dark.defaultShow, std::nullopt);
    EXPECT_EQ(dark.speedRow, kDefaultProgramSpeedRow);
    EXPECT_EQ(ParseSchedule(ScheduleJson(dark)), dark);
}

TEST(ScheduleFile, RefusalsNameTheFieldByItsPath) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"entries":[{"from":"8:00","to":"12:00","show":"a.kdz"}]})",
         "entries[0].from: must be HH:MM (00:00 to 23:59)"},
        {R"({"entries":[{"from":"08:00","to":"24:01","show":"a.kdz"}]})",
         "entries[0].to: must be HH:MM (00:00 to 24:00)"},
        {R"({"entries":[{"from":"08:00","to":"09:00","show":"a"},{"from":"08:00","show":"b"}]})",
         "entries[1].to: missing"},
        {R"({"entries":[{"days":["mon","Tue"],"from":"08:00","to":"09:00","show":"a"}]})",
         "entries[0].days[1]: must be one of mon, tue, wed, thu, fri, sat, sun"},
        {R"({"entries":[{"days":[],"from":"08:00","to":"09:00","show":"a"}]})",
         "entries[0].days: must be a list of days: mon, tue, wed, thu, fri, sat, sun"},
        {R"({"entries":[{"from":"08:00","to":"09:00","show":""}]})",
         "entries[0].show: must name a .kdz, .bin or .json file"},
        {R"({"entries":[{"from":"08:00","to":"09:00","show":"a","colour":1}]})",
         "entries[0].colour: unknown field"},
        {R"({"entries":[7]})", "entries[0]: must be an object"},
        {R"({"entries":{}})", "entries: must be a list of entries"},
        {R"({"default":"a.kdz"})", "entries: missing"},
        {R"({"entries":[],"timeout":11})", "timeout: must be 1 to 10"},
        {R"({"entries":[],"baud":"fast"})", "baud: must be a line speed such as 56000"},
        {R"({"entries":[],"port":""})", "port: must name a port: Com1..Com4 or a device"},
        {R"({"entries":[],"speedRow":0})", "speedRow: must be 1 to 50"},
        {R"({"entries":[],"default":3})", "default: must be a string"},
        {"[]", "schedule: must be an object"},
    };
    for (const auto& [json, refusal] : cases) {
        EXPECT_EQ(RefusalOf(json), refusal) << json;
    }
    EXPECT_EQ(RefusalOf("{\"entries\":[").rfind("not a JSON schedule: ", 0), 0U);
}

TEST(ScheduleFile, ShowsAndFieldFilesAreFoundBesideTheirFiles) {
    testing::TempDir dir;
    EXPECT_EQ(ShowPath(dir.File("shop.json"), "утро.kdz"), dir.File("утро.kdz"));
    EXPECT_EQ(ShowPath(dir.File("shop.json"), "/srv/утро.kdz"), "/srv/утро.kdz");
    EXPECT_EQ(ShowPath("shop.json", "утро.kdz"), "утро.kdz");

    // A program with a field: made with its file's first line, and watched with that file.
    Write(dir.File("rate.txt"), "\xEF\xBB\xBF  USD 92  \r\nsecond line\n");
    Write(dir.File("rate.json"), R"({"messages":[{"text":"{file:rate.txt}","show":"line"}]})");
    Schedule s;
    messages::BuiltinFonts fonts;
    const ShowSet made = MakeShowSet(dir.File("rate.json"), s, 0, fonts);
    ASSERT_NE(made.set, nullptr) << made.error;
    EXPECT_EQ(made.files, (std::vector<std::string>{dir.File("rate.json"), dir.File("rate.txt")}));
    EXPECT_EQ(made.set->SpeedRow, kDefaultProgramSpeedRow);
    EXPECT_FALSE(made.clock);

    Write(dir.File("bad.json"), R"({"messages":[{"text":"{file:нет.txt}"}]})");
    EXPECT_EQ(MakeShowSet(dir.File("bad.json"), s, 0, fonts).error,
              dir.File("bad.json") + ": messages[0].text: {file:нет.txt}: File not found");
    const ShowSet dark = MakeShowSet(std::nullopt, s, 0, fonts);
    ASSERT_NE(dark.set, nullptr);
    EXPECT_EQ(dark.set->FrameCount(), 1);
}

TEST(FieldLines, TheFirstLineTrimmedOrWhyNot) {
    testing::TempDir dir;
    struct Case {
        std::string content;
        std::optional<std::string> line;
        const char* error;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF Дежурная: Петрова\t\nвторая", "Дежурная: Петрова", ""},
        {"без конца строки", "без конца строки", ""},
        {"\r\nпустая первая", "", ""},
        {"", "", ""},
        {std::string(4096, 'x'), std::string(4096, 'x'), ""},
        {std::string(4097, 'x'), std::nullopt, "the first line is longer than 4096 bytes"},
        {"\xFF\xFE"
         "a",
         std::nullopt, "the first line is not UTF-8 text"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string path = dir.File("line" + std::to_string(n++) + ".txt");
        Write(path, c.content);
        const messages::FileLine got = messages::ReadFieldLine(path);
        EXPECT_EQ(got.line, c.line) << path;
        EXPECT_EQ(got.error, c.error) << path;
    }
    EXPECT_EQ(messages::ReadFieldLine(dir.File("нет.txt")).error, "File not found");
    EXPECT_EQ(messages::FieldLinesIn(dir.Path().string())("line0.txt").line, "Дежурная: Петрова");
}

}  // namespace
}  // namespace kadr::schedule
