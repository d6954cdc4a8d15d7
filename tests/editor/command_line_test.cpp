// What the editor answers on its command line before the application object exists (so without
// a display) and after it has taken Qt's own options out.
#include <string>

#include "editor/app/command_line.h"
#include "gtest/gtest.h"

namespace kadr::editor::testing {
namespace {

TEST(EditorCommandLine, HelpAndVersionEndTheRunBeforeAnyWindowAndAnythingElseStartsIt) {
    struct Case {
        QStringList words;
        std::string start;  // of stdout; empty when the editor starts
    };
    const Case cases[] = {
        {{"kadropisets", "--help"}, "usage: kadropisets [FILE]\n"},
        {{"kadropisets", "-platform", "offscreen", "-h"}, "usage: kadropisets [FILE]\n"},
        {{"kadropisets", "a.kdz", "--version"}, "kadropisets " KADR_PROJECT_VERSION "\n"},
        {{"kadropisets"}, ""},
        {{"kadropisets", "-platform", "offscreen", "Привет.kdz"}, ""},
        {{"kadropisets", "-qwindowtitle", "--help", "a.kdz"}, ""},  // Qt's title
    };
    for (const Case& c : cases) {
        const std::optional<CommandLineAnswer> answer = AnswerInformationRequest(c.words);
        EXPECT_EQ(answer.has_value(), !c.start.empty()) << c.words.join(' ').toStdString();
        if (answer) {
            EXPECT_EQ(answer->exitCode, 0);
            EXPECT_EQ(answer->out.substr(0, c.start.size()), c.start) << answer->out;
            EXPECT_EQ(answer->err, "");
        }
    }
}

TEST(EditorCommandLine, QtsOwnOptionsPassOneFileAtMostAndAnythingElseIsRefusedWithTheUsage) {
    struct Case {
        QStringList words;
        std::string reason;  // empty when the editor starts
    };
    const Case cases[] = {
        {{"kadropisets"}, ""},
        {{"kadropisets", "Привет.kdz"}, ""},
        {{"kadropisets", "-"}, ""},
        {{"kadropisets", "-platform", "windows:darkmode=2,fontengine=freetype", "a.kdz"}, ""},
        {{"kadropisets", "-style=fusion", "-stylesheet", "s.qss", "-widgetcount", "-reverse"}, ""},
        {{"kadropisets", "--style", "fusion", "-qmljsdebugger=port:1234,block", "a.kdz"}, ""},
        {{"kadropisets", "-session", "1a2b", "-display", ":0", "-geometry", "800x600+0+0"}, ""},
        {{"kadropisets", "-title", "Табло", "-name", "kadr", "a.kdz"}, ""},
        {{"kadropisets", "--bogus"}, "unknown option '--bogus'"},
        {{"kadropisets", "a.kdz", "-x"}, "unknown option '-x'"},
        {{"kadropisets", "-platform=offscreen"}, "unknown option '-platform=offscreen'"},
        {{"kadropisets", "-platformx", "a"}, "unknown option '-platformx'"},
        {{"kadropisets", "a.kdz", "-style"}, "option '-style' needs a value"},
        {{"kadropisets", "-display", ":0", "a.kdz", "b.kdz"}, "one file at most, 2 given"},
    };
    for (const Case& c : cases) {
        const std::optional<CommandLineAnswer> refused = CheckWordsBeforeStart(c.words);
        ASSERT_EQ(refused.has_value(), !c.reason.empty()) << c.words.join(' ').toStdString();
        if (refused) {
            EXPECT_EQ(refused->exitCode, 2);
            EXPECT_EQ(refused->out, "");
            EXPECT_EQ(refused->err.substr(0, refused->err.find("\n\nusage: kadropisets [FILE]\n")),
                      "kadropisets: " + c.reason);
        }
    }
    // What Qt leaves where it means nothing is refused once the application has taken the rest.
    const std::optional<CommandLineAnswer> left =
        CheckStartArguments({"kadropisets", "-display", ":0"});
    ASSERT_TRUE(left);
    EXPECT_EQ(left->err.substr(0, 41), "kadropisets: unknown option '-display'\n\nu");
}

}  // namespace
}  // namespace kadr::editor::testing
