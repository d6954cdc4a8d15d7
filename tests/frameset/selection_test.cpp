// The selection of several frames: how presses pick frames, how each command rearranges a set,
// and the document's commands on the selection, worked out on sets of frames named by letters.
#include <gtest/gtest.h>

#include <string>

#include "frameset/document.h"
#include "frameset/errors.h"
#include "frameset/frame_kinds.h"
#include "frameset/frames_payload.h"
#include "tests/support/frames.h"

namespace kadr {
namespace {

using testing::Letters;

Frame Letter(char letter) {
    return testing::LetterFrame(letter);
}

void Fill(Document& document, const std::string& letters) {
    document.New(static_cast<int>(letters.size()));
    for (std::size_t f = 0; f < letters.size(); ++f) {
        document.Set().Frames[f] = Letter(letters[f]);
    }
}

std::string Places(const std::vector<int>& places) {
    std::string text;
    for (const int place : places) {
        text += std::to_string(place);
    }
    return text;
}

TEST(FrameOrder, EachCommandRearrangesAsWorkedOut) {
    struct Case {
        const char* what;
        FrameOrder order;
        const char* frames;  // "abcdef" afterwards
        const char* selected;
        int current;
    };
    const auto letters = [](const FrameOrder& order) {
        std::string text;
        for (const int f : order.frames) {
            text += static_cast<char>('a' + f);
        }
        return text;
    };
    const Case cases[] = {
        {"delete with a gap", WithoutSelected(6, {2, 4}), "abdf", "3", 3},
        {"delete the end", WithoutSelected(6, {4, 5}), "abcd", "3", 3},
        {"delete one", WithoutSelected(6, {2}), "abdef", "2", 2},
        {"delete all", WithoutSelected(3, {0, 1, 2}), "", "", -1},
        {"left with a gap", BlockMoved(6, {2, 4}, 4, -1), "acebdf", "12", 2},
        {"right with a gap", BlockMoved(6, {2, 4}, 2, +1), "abdfce", "45", 4},
        {"left at the start closes up", BlockMoved(6, {0, 2}, 0, -1), "acbdef", "01", 0},
        {"one frame left", BlockMoved(6, {3}, 3, -1), "abdcef", "2", 2},
        {"one frame right", BlockMoved(6, {3}, 3, +1), "abcedf", "4", 4},
        {"dropped further on", Dropped(6, {1, 2}, 2, 5, false), "adebcf", "34", 4},
        {"dropped at the end", Dropped(6, {0, 3}, 0, 6, false), "bcefad", "45", 4},
        {"copied to the start", Dropped(6, {1, 3}, 3, 0, true), "bdabcdef", "01", 1},
        {"duplicated", Dropped(6, {1, 3}, 1, 4, true), "abcdbdef", "45", 4},
        {"reversed with a gap", Reversed(6, {1, 2, 4}, 2), "aecdbf", "124", 2},
        {"there and back", PingPong(6, {0, 1, 2, 3}, 0), "abcdcbef", "45", 4},
        {"there and back with gaps", PingPong(6, {1, 3, 5}, 1), "abcdefd", "6", 6},
        {"there and back of two", PingPong(6, {1, 2}, 1), "abcdef", "12", 1},
        {"repeated three times", Repeated(6, {1, 3}, 3, 3), "abbbcdddef", "123567", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(letters(c.order), c.frames);
        EXPECT_EQ(Places(c.order.selected), c.selected);
        EXPECT_EQ(c.order.current, c.current);
    }
    EXPECT_TRUE(BlockMoved(6, {0, 1}, 0, -1).KeepsEveryFrame());
    EXPECT_TRUE(BlockMoved(6, {5}, 5, +1).KeepsEveryFrame());
    EXPECT_FALSE(Reversed(6, {1, 2}, 1).KeepsEveryFrame());
}

TEST(FrameSelection, PressesPickAsInADesktopList) {
    struct Press {
        int frame;
        Pick how;
    };
    struct Case {
        std::vector<Press> presses;
        const char* selected;
        int current;
    };
    using P = Pick;
    const Case cases[] = {
        {{{3, P::Only}}, "3", 3},
        {{{2, P::Only}, {5, P::Run}}, "2345", 5},
        {{{2, P::Only}, {5, P::Run}, {0, P::Run}}, "012", 0},  // the anchor stays at 2
        {{{2, P::Only}, {5, P::Toggle}}, "25", 5},
        {{{2, P::Only}, {5, P::Toggle}, {2, P::Toggle}}, "5", 5},
        {{{2, P::Only}, {2, P::Toggle}}, "2", 2},  // the only one stays
        {{{2, P::Only}, {4, P::Toggle}, {6, P::Toggle}, {6, P::Toggle}}, "24", 4},
        {{{4, P::Only}, {6, P::Toggle}, {2, P::Toggle}, {4, P::Toggle}}, "26", 2},
        {{{1, P::Only}, {4, P::Toggle}, {6, P::Run}}, "456", 6},
        {{{1, P::Only}, {4, P::Toggle}, {6, P::AddRun}}, "1456", 6},
        {{{1, P::Only}, {3, P::Add}, {1, P::Add}}, "13", 1},
        {{{1, P::Only}, {3, P::Run}, {9, P::Only}}, "123", 3},  // no frame 9: nothing
    };
    for (const Case& c : cases) {
        Document document;
        document.New(8);
        for (const Press& press : c.presses) {
            document.SelectFrame(press.frame, press.how);
        }
        EXPECT_EQ(Places(document.Selection().Frames()), c.selected) << c.selected;
        EXPECT_EQ(document.Set().CurFrame, c.current) << c.selected;
    }
}

TEST(DocumentSelection, FrameCommandsActOnEverySelectedFrameAsOneStep) {
    Document document;
    Fill(document, "abcde");
    document.SelectFrame(1, Pick::Only);
    document.SelectFrame(3, Pick::Toggle);
    document.SetEndStr();
    EXPECT_EQ(GetFrameKind(document.Set().Frames[1]), fkEndStr);
    EXPECT_EQ(GetFrameKind(document.Set().Frames[2]), fkAnim) << "the gap is left alone";
    EXPECT_EQ(GetFrameKind(document.Set().Frames[3]), fkEndStr);
    EXPECT_EQ(document.Invert().status, EditStatus::Unchanged) << "end frames keep their dots";
    EXPECT_EQ(document.History().Position(), 1);

    document.SelectFrame(0, Pick::AddRun);  // the run 0..3, with two end frames in it
    document.Invert();
    EXPECT_EQ(document.Set().Frames[1][CellIndex(20, 3)], kDotBlank);
    EXPECT_EQ(document.Set().Frames[2][CellIndex(20, 3)], kDotSet);
    document.Undo();
    EXPECT_EQ(Letters(document.Set()), "a?c?e") << "one step back: both frames";
    EXPECT_EQ(document.Selection().Count(), 1) << "after Undo the current frame alone";

    document.SelectAll();
    document.Clear();
    EXPECT_EQ(document.Set().Frames[4], testing::BlankFrame());
    EXPECT_EQ(document.History().Position(), 2);
}

TEST(DocumentSelection, DeleteCutAndPasteOfSeveralFrames) {
    Document document;
    MemoryClipboard clipboard;
    Fill(document, "abcdef");
    document.SelectFrame(1, Pick::Only);
    document.SelectFrame(3, Pick::Run);
    document.Copy(clipboard);
    document.SelectFrame(4, Pick::Only);
    document.Paste(clipboard);
    EXPECT_EQ(Letters(document.Set()), "abcdebcdf");
    EXPECT_EQ(Places(document.Selection().Frames()), "567");
    EXPECT_EQ(document.Set().CurFrame, 5);

    document.SelectFrame(0, Pick::Toggle);
    document.Cut(clipboard);
    EXPECT_EQ(Letters(document.Set()), "bcdef") << "a and the pasted b c d";
    EXPECT_EQ(document.Set().CurFrame, 4) << "the frame after them, f";
    document.Undo();
    EXPECT_EQ(Letters(document.Set()), "abcdebcdf");

    // One frame on the clipboard replaces each selected frame.
    document.SelectFrame(8, Pick::Only);
    document.Copy(clipboard);
    document.SelectFrame(0, Pick::Only);
    document.SelectFrame(2, Pick::Run);
    document.Paste(clipboard);
    EXPECT_EQ(Letters(document.Set()), "fffdebcdf");
    EXPECT_EQ(document.History().Position(), 2);
}

TEST(DocumentSelection, NothingPassesTheLimitOf256Frames) {
    Document document;
    MemoryClipboard clipboard;
    document.New(200);
    document.SelectFrame(0, Pick::Only);
    document.SelectFrame(56, Pick::Run);  // 57 frames
    EXPECT_EQ(document.Repeat(2).status, EditStatus::Full);
    EXPECT_EQ(document.Duplicate().status, EditStatus::Full);
    document.Copy(clipboard);
    EXPECT_EQ(document.Paste(clipboard).status, EditStatus::Full);
    EXPECT_EQ(document.History().Position(), 0) << "refusals record nothing";
    EXPECT_EQ(document.Set().FrameCount(), 200);

    document.SelectFrame(55, Pick::Run);  // 56 frames: exactly 256
    EXPECT_TRUE(document.Duplicate().Applied());
    EXPECT_EQ(document.Set().FrameCount(), 256);
    EXPECT_THROW(document.Repeat(1), std::out_of_range);
    EXPECT_THROW(document.Repeat(51), std::out_of_range);
}

TEST(FramesPayload, ABlockTravelsWholeAndAnythingElseIsRefused) {
    const std::vector<Frame> frames{Letter('a'), Letter('b'), Letter('c')};
    const std::vector<std::uint8_t> block = EncodeFramesPayload(frames);
    ASSERT_EQ(block.size(), 4U + 3U * kFrameBytes);
    EXPECT_EQ(std::vector<std::uint8_t>(block.begin(), block.begin() + 4),
              (std::vector<std::uint8_t>{1, 0, 3, 0}));
    EXPECT_EQ(DecodeFramesPayload(block), frames);
    std::vector<std::uint8_t> padded = block;
    padded.resize(block.size() + 12, 0xEE);  // a clipboard's rounding
    EXPECT_EQ(DecodeFramesPayload(padded), frames);

    const auto changed = [&block](std::size_t at, std::uint8_t value, std::size_t size) {
        std::vector<std::uint8_t> bad = block;
        bad[at] = value;
        bad.resize(size, 1);
        return bad;
    };
    const std::vector<std::vector<std::uint8_t>> refused{
        {1, 0, 3},                                      // no whole header
        changed(0, 2, block.size()),                    // another version
        changed(2, 0, block.size()),                    // no frame
        changed(3, 2, block.size()),                    // 515 frames
        changed(2, 4, block.size()),                    // four said, three there
        changed(2, 2, block.size()),                    // two said, three there
        changed(4 + kFrameBytes + 9, 7, block.size()),  // a cell of 7
    };
    Document document;
    MemoryClipboard clipboard;
    for (std::size_t i = 0; i < refused.size(); ++i) {
        clipboard.SetRawFrames(refused[i]);
        EXPECT_THROW(document.Paste(clipboard), Error) << i;
        EXPECT_EQ(document.History().Position(), 0) << i;
        EXPECT_EQ(document.Set().FrameCount(), 1) << i;
    }
}

}  // namespace
}  // namespace kadr
