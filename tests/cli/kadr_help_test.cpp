#include <gtest/gtest.h>

#include <algorithm>

#include "cli/completion.h"
#include "cli/file_commands.h"
#include "cli/message_command.h"
#include "cli/render_command.h"
#include "cli/simulate_command.h"
#include "cli/text_command.h"
#include "tests/support/kadr_tool.h"

namespace kadr {
namespace {

using cli::CommandHelp;
using cli::CompleteAfter;
using cli::Completion;
using testing::Kadr;
using testing::ProcessResult;

bool StartsWith(const std::string& text, const std::string& head) {
    return text.rfind(head, 0) == 0;
}

TEST(KadrHelp, AnswersOnStdoutAndRefusesWhatItDoesNotKnowOnStderr) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string outStart;  // empty: nothing on stdout, the usage on stderr
    };
    const std::vector<Case> cases{
        {{"--help"}, 0, "usage: kadr COMMAND [ARGS]\n"},
        {{"-h"}, 0, "usage: kadr COMMAND [ARGS]\n"},
        {{"help"}, 0, "usage: kadr COMMAND [ARGS]\n"},
        {{"help", "text"}, 0, "usage: kadr text IN OUT TEXT [--font"},
        {{"text", "--help"}, 0, "usage: kadr text IN OUT TEXT [--font"},
        {{"message", "-h"}, 0, "usage: kadr message IN OUT TEXT"},
        {{"render", "in.kdz", "out.gif", "--help"}, 0, "usage: kadr render [--scale N]"},
        {{"--version"}, 0, "kadr " KADR_PROJECT_VERSION "\n"},
        {{"--frobnicate"}, 2, ""},
        {{"help", "frobnicate"}, 2, ""},
        {{"help", "info", "dump"}, 2, ""},
        {{"text", "in.kdz", "out.kdz", "hi", "--colour", "red"}, 2, ""},
    };
    for (const Case& c : cases) {
        const ProcessResult r = Kadr(c.args);
        const std::string shown = ::testing::PrintToString(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << shown;
        if (c.outStart.empty()) {
            EXPECT_EQ(r.out, "") << shown;
            EXPECT_NE(r.err.find("\nusage: kadr COMMAND [ARGS]\n"), std::string::npos) << shown;
        } else {
            EXPECT_TRUE(StartsWith(r.out, c.outStart)) << shown << r.out;
            EXPECT_EQ(r.err, "") << shown;
        }
    }
}

TEST(KadrHelp, OverviewPutsEachSummaryInItsColumnBesideOrBelowTheSynopsis) {
    const std::string out = Kadr({"--help"}).out;
    for (const char* expected : {
             "\n  info [--json] FILE       frame count, orientation, speeds and the kind of every "
             "frame\n  dump FILE ",
             "\n  compose IN OUT PROGRAM   append the messages of a JSON program file at the end\n"
             "                           (its speedAnim first, when it gives one)\n",
             "\n       [--place top|bottom|middle] [--gap 0..3] [--lead N] [--trail N]\n"
             "                           append TEXT to IN as a running line (start frame, "
             "frames\n",
             "\nedit operations, applied in order exactly as the editor's commands:\n",
             "\nexit status: 0 done, 1 the operation failed",
         }) {
        EXPECT_NE(out.find(expected), std::string::npos) << expected;
    }
}

TEST(KadrHelp, EveryCommandOfTheCompletionHasAPageWithAnExampleOfItself) {
    const std::string listed = Kadr({"help", "--complete"}).out;
    int commands = 0;
    for (std::size_t at = 0; at < listed.size();) {
        const std::size_t end = listed.find('\n', at);
        const std::string word = listed.substr(at, end - at);
        at = end + 1;
        if (word == "help" || StartsWith(word, "-")) {
            continue;
        }
        ++commands;
        const ProcessResult page = Kadr({"help", word});
        EXPECT_EQ(page.exitCode, 0) << word;
        EXPECT_TRUE(StartsWith(page.out, "usage: kadr " + word)) << word;
        EXPECT_NE(page.out.find("example"), std::string::npos) << word;
        EXPECT_NE(page.out.find("\n  kadr " + word + " "), std::string::npos) << page.out;
        EXPECT_EQ(Kadr({word, "--help"}).out, page.out) << word;
    }
    EXPECT_EQ(commands, 13);
}

TEST(KadrCompletion, SynopsisOptionsTakeTheirValueWordUnlessTheBracketClosesAtOnce) {
    using Options = std::vector<cli::SynopsisOption>;
    EXPECT_EQ(cli::SynopsisOptions(cli::kSimulateHelp.synopsis), (Options{{"--link", "PATH"},
                                                                          {"--port", "NAME"},
                                                                          {"--save", "FILE"},
                                                                          {"--once", ""},
                                                                          {"--baud", "RATE"}}));
    EXPECT_EQ(cli::SynopsisOptions("info [--json] FILE"), (Options{{"--json", ""}}));
}

TEST(KadrCompletion, OffersWhatMayFollowTheWordsBefore) {
    const std::vector<CommandHelp> commands{cli::kInfoHelp, cli::kMessageHelp, cli::kTextHelp,
                                            cli::kRenderHelp, cli::kSimulateHelp};
    using Words = std::vector<std::string>;
    struct Case {
        Words before;
        Words words;
        bool files;
        bool fonts;
    };
    const Words allEffects{"none",        "scroll-left", "scroll-right", "scroll-up",
                           "scroll-down", "wipe-right",  "wipe-left",    "open",
                           "close",       "typewriter",  "dissolve"};
    Words exitEffects = allEffects;
    exitEffects.erase(std::find(exitEffects.begin(), exitEffects.end(), "typewriter"));
    const std::vector<Case> cases{
        {{},
         {"info", "message", "text", "render", "simulate", "help", "--help", "--version"},
         false,
         false},
        {{"help"}, {"info", "message", "text", "render", "simulate"}, false, false},
        {{"info"}, {"--json", "--help"}, true, false},
        {{"info", "--json"}, {"--help"}, true, false},
        {{"message", "a.kdz", "b.kdz", "hi", "--in"}, allEffects, false, false},
        {{"message", "--out"}, exitEffects, false, false},
        {{"text", "--font"}, {"builtin", "builtin14"}, false, true},
        {{"text", "--size"}, {}, false, false},
        {{"render", "--colour"}, {"red", "green", "amber", "white", "blue"}, false, false},
        {{"render", "--colour", "red"}, {"--scale", "--frame", "--help"}, true, false},
        {{"simulate", "--save"}, {}, true, false},
        {{"frobnicate"}, {}, false, false},
    };
    for (const Case& c : cases) {
        const Completion got = CompleteAfter(commands, c.before);
        const std::string shown = ::testing::PrintToString(c.before);
        EXPECT_EQ(got.words, c.words) << shown;
        EXPECT_EQ(got.files, c.files) << shown;
        EXPECT_EQ(got.fonts, c.fonts) << shown;
    }
}

}  // namespace
}  // namespace kadr
