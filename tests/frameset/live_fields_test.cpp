// Live fields in message texts: the values filled in for a moment and the files' lines given by
// the caller, and every way a text can be wrong, each named.
#include <gtest/gtest.h>

#include <map>

#include "frameset/messages/live_fields.h"

namespace kadr::messages {
namespace {

using schedule::FromCivil;

// Monday, 6 May 2024, 08:05:09.
const schedule::LocalSeconds kMonday = FromCivil({2024, 5, 6, 8, 5, 9});

FieldValues Values(schedule::LocalSeconds now) {
    static const std::map<std::string, std::string> lines{{"курс.txt", "USD 92,50"},
                                                          {"дежурный.txt", "Иванова А. П."}};
    return {now, [](const std::string& path) {
                const auto it = lines.find(path);
                return it != lines.end() ? FileLine{it->second, {}}
                                         : FileLine{std::nullopt, "File not found"};
            }};
}

TEST(LiveFields, FilledWithTheMomentAndTheFilesLines) {
    struct Case {
        const char* text;
        schedule::LocalSeconds now;
        const char* filled;
    };
    const Case cases[] = {
        {"{time}", kMonday, "08:05"},
        {"{date}", kMonday, "06.05.2024"},
        {"{weekday}", kMonday, "понедельник"},
        {"Сегодня {weekday}, {date}", FromCivil({2024, 5, 12, 23, 59, 59}),
         "Сегодня воскресенье, 12.05.2024"},
        {"{time}", FromCivil({2024, 5, 12, 23, 59, 59}), "23:59"},
        {"{time} {date}", FromCivil({2000, 2, 29, 0, 0, 0}), "00:00 29.02.2000"},
        {"{weekday}", FromCivil({1970, 1, 1, 12, 0, 0}), "четверг"},
        {"{date}", FromCivil({1969, 12, 31, 23, 59, 59}), "31.12.1969"},
        {"Курс: {file:курс.txt}", kMonday, "Курс: USD 92,50"},
        {"{file:дежурный.txt} до {time}", kMonday, "Иванова А. П. до 08:05"},
        {"Кофе {{90}} ₽", kMonday, "Кофе {90} ₽"},
        {"{{time}}", kMonday, "{time}"},
        {"}}{{", kMonday, "}{"},
        {"без полей", kMonday, "без полей"},
        {"", kMonday, ""},
    };
    for (const Case& c : cases) {
        const FilledText filled = FillFields(c.text, Values(c.now));
        EXPECT_EQ(filled.error.problem, FieldProblem::None) << c.text;
        EXPECT_EQ(filled.text, c.filled) << c.text;
    }
}

TEST(LiveFields, EveryFaultIsNamedNeverABlank) {
    struct Case {
        const char* text;
        FieldError error;
        const char* words;
    };
    const Case cases[] = {
        {"{tiem}", {FieldProblem::UnknownField, "{tiem}", ""}, "{tiem}: unknown field"},
        {"{Time}", {FieldProblem::UnknownField, "{Time}", ""}, "{Time}: unknown field"},
        {"{ time }", {FieldProblem::UnknownField, "{ time }", ""}, "{ time }: unknown field"},
        {"до {time", {FieldProblem::Unclosed, "{time", ""}, "{time: a '{' without its '}'"},
        {"90 } ₽", {FieldProblem::StrayClose, "", ""}, "a '}' without its '{'"},
        {"{file:}", {FieldProblem::EmptyPath, "{file:}", ""}, "{file:}: names no file"},
        {"{time} {file:нет.txt}",
         {FieldProblem::Unreadable, "{file:нет.txt}", "File not found"},
         "{file:нет.txt}: File not found"},
    };
    for (const Case& c : cases) {
        const FilledText filled = FillFields(c.text, Values(kMonday));
        EXPECT_EQ(filled.error, c.error) << c.text;
        EXPECT_EQ(FieldErrorText(filled.error).rfind(c.words, 0), 0U)
            << c.text << ": " << FieldErrorText(filled.error);
    }
    // A long unclosed text is named by its start, cut between characters.
    std::string zhe;
    for (int i = 0; i < 40; ++i) {
        zhe += "ж";
    }
    const FieldError cut = FillFields("{" + zhe, Values(kMonday)).error;
    EXPECT_EQ(cut.field, "{" + zhe.substr(0, 22) + "...") << "11 whole letters of 2 bytes";
}

TEST(LiveFields, WhatATextAsksForDecidesWhenItIsMadeAgain) {
    const FieldUse use = FieldsOf("{file:a.txt} {time} {file:b.txt} {file:a.txt} {{date}}");
    EXPECT_TRUE(use.clock);
    EXPECT_EQ(use.files, (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_FALSE(FieldsOf("{{time}} {file:a.txt}").clock);
    EXPECT_TRUE(FieldsOf("{weekday}").clock);

    Program program{std::nullopt, {{}, {}, {}}};
    program.messages[0].text = "{date}";
    program.messages[1].text = "{oops} {file:c.txt}";
    program.messages[2].text = "{file:курс.txt}";
    const FieldUse all = ProgramFieldUse(program);
    EXPECT_TRUE(all.clock);
    EXPECT_EQ(all.files, std::vector<std::string>{"курс.txt"}) << "the scan stops at {oops}";
    EXPECT_EQ(all.error.field, "{oops}");

    // The failing message keeps its text; the others are filled.
    const FilledProgram filled = FillProgramFields(program, Values(kMonday));
    EXPECT_EQ(filled.failedMessage, 1);
    EXPECT_EQ(filled.program.messages[0].text, "06.05.2024");
    EXPECT_EQ(filled.program.messages[1].text, "{oops} {file:c.txt}");
    EXPECT_EQ(filled.program.messages[2].text, "USD 92,50");
}

}  // namespace
}  // namespace kadr::messages
