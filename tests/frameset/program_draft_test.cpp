// The messages dialog's list: adding, copying, removing and moving messages keeps the order the
// user expects and always one message selected.
#include <gtest/gtest.h>

#include "frameset/messages/program_draft.h"

namespace kadr::messages {
namespace {

std::string Texts(const ProgramDraft& draft) {
    std::string out;
    for (const Message& m : draft.Current().messages) {
        out += (out.empty() ? "" : ",") + (m.text.empty() ? std::string("_") : m.text);
    }
    return out;
}

TEST(ProgramDraft, ListOperationsKeepOrderAndSelection) {
    ProgramDraft draft;
    EXPECT_EQ(draft.Count(), 1);  // never without a message
    EXPECT_EQ(draft.SelectedMessage(), Message{});
    draft.SelectedMessage().text = "a";
    draft.Add();
    draft.SelectedMessage().text = "b";
    draft.Select(0);
    draft.SelectedMessage().in = Effect::Dissolve;
    draft.Duplicate();  // a copy right after "a", selected
    EXPECT_EQ(Texts(draft), "a,a,b");
    EXPECT_EQ(draft.Selected(), 1);
    EXPECT_EQ(draft.SelectedMessage().in, Effect::Dissolve);
    draft.SelectedMessage().text = "c";
    EXPECT_EQ(draft.Current().messages[0].text, "a");  // a copy, not the same message

    EXPECT_TRUE(draft.MoveDown());
    EXPECT_EQ(Texts(draft), "a,b,c");
    EXPECT_EQ(draft.Selected(), 2);
    EXPECT_FALSE(draft.MoveDown());
    EXPECT_EQ(Texts(draft), "a,b,c");
    draft.Select(0);
    EXPECT_FALSE(draft.MoveUp());
    draft.Select(99);
    EXPECT_EQ(draft.Selected(), 2);
    EXPECT_TRUE(draft.MoveUp());
    EXPECT_EQ(Texts(draft), "a,c,b");
    EXPECT_EQ(draft.Selected(), 1);

    draft.Add();  // defaults, after "c"
    EXPECT_EQ(Texts(draft), "a,c,_,b");
    EXPECT_EQ(draft.Selected(), 2);
    EXPECT_TRUE(draft.Remove());
    EXPECT_EQ(draft.Selected(), 2);  // the successor
    draft.Select(3);
    EXPECT_TRUE(draft.Remove());
    EXPECT_EQ(Texts(draft), "a,c");
    EXPECT_EQ(draft.Selected(), 1);  // the last went: its predecessor
    EXPECT_TRUE(draft.Remove());
    EXPECT_FALSE(draft.Remove());
    EXPECT_EQ(Texts(draft), "a");

    draft.SetSpeedAnim(99);
    EXPECT_EQ(draft.Current().speedAnim, 50);
    const ProgramDraft loaded(Program{7, {}});
    EXPECT_EQ(loaded.Count(), 1);
    EXPECT_EQ(loaded.Current().speedAnim, 7);
}

}  // namespace
}  // namespace kadr::messages
