// What the editor answers on its command line before and after the application object takes
// Qt's own options out of it.
#include <cstdio>
#include <string>

#include "editor/app/command_line.h"
#include "gtest/gtest.h"

namespace kadr::editor::testing {
namespace {

// Whatever a call wrote into a stream of its own.
template <typename Call>
std::string Written(Call call) {
    std::FILE* file = std::tmpfile();
    call(file);
    std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
    return text;
}

TEST(EditorCommandLine, HelpAndVersionEndTheRunBeforeAnyWindowAndAnythingElseStartsIt) {
    struct Case {
        QStringList words;
        std::optional<int> exit;
        std::string start;
    };
    const Case cases[] = {
        {{"kadropisets", "--help"}, 0, "usage: kadropisets [FILE]\n"},
        {{"kadropisets", "-platform", "offscreen", "-h"}, 0, "usage: kadropisets [FILE]\n"},
        {{"kadropisets", "a.kdz", "--version"}, 0, "kadropisets " KADR_PROJECT_VERSION "\n"},
        {{"kadropisets"}, std::nullopt, ""},
        {{"kadropisets", "-platform", "offscreen", "Привет.kdz"}, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        std::optional<int> exit;
        const std::string out =
            Written([&](std::FILE* f) { exit = AnswerInformationRequest(c.words, f); });
        EXPECT_EQ(exit, c.exit) << c.words.join(' ').toStdString();
        EXPECT_EQ(out.substr(0, c.start.size()), c.start) << out;
        EXPECT_EQ(out.empty(), c.start.empty());
    }
}

TEST(EditorCommandLine, TakesOneFileAndRefusesUnknownOptionsWithTheUsage) {
    struct Case {
        QStringList words;
        std::optional<int> exit;
        std::string reason;
    };
    const Case cases[] = {
        {{"kadropisets"}, std::nullopt, ""},
        {{"kadropisets", "Привет.kdz"}, std::nullopt, ""},
        {{"kadropisets", "-"}, std::nullopt, ""},
        {{"kadropisets", "--frobnicate"}, 2, "kadropisets: unknown option '--frobnicate'\n"},
        {{"kadropisets", "a.kdz", "-x"}, 2, "kadropisets: unknown option '-x'\n"},
        {{"kadropisets", "a.kdz", "b.kdz"}, 2, "kadropisets: one file at most, 2 given\n"},
    };
    for (const Case& c : cases) {
        std::optional<int> exit;
        const std::string err =
            Written([&](std::FILE* f) { exit = CheckStartArguments(c.words, f); });
        EXPECT_EQ(exit, c.exit) << c.words.join(' ').toStdString();
        EXPECT_EQ(err.substr(0, c.reason.size()), c.reason);
        EXPECT_EQ(err.find("\nusage: kadropisets [FILE]\n") != std::string::npos,
                  c.exit.has_value())
            << err;
    }
}

}  // namespace
}  // namespace kadr::editor::testing
