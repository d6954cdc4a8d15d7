// The document's change notification: one report per command, after the change, naming exactly
// the parts that changed, and nothing for a command that changed nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

#include "frameset/document.h"
#include "frameset/module_files.h"
#include "tests/support/frames.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using namespace aspect;

struct Recorder : DocumentObserver {
    explicit Recorder(const Document& document) : document(document) {}
    void DocumentChanged(const DocumentChange& change) override {
        changes.push_back(change);
        // Told after the change: what it sees is the document as the command left it.
        framesSeen.push_back(document.Set().FrameCount());
    }
    const Document& document;
    std::vector<DocumentChange> changes;
    std::vector<int> framesSeen;
};

class DocumentChangeTest : public ::testing::Test {
  protected:
    DocumentChangeTest() : recorder_(document_), subscription_(document_.Subscribe(recorder_)) {}

    // The one report the last command gave; fails when it gave none or several.
    DocumentChange Only() {
        EXPECT_EQ(recorder_.changes.size(), 1U);
        const DocumentChange change =
            recorder_.changes.empty() ? DocumentChange{} : recorder_.changes.back();
        recorder_.changes.clear();
        recorder_.framesSeen.clear();
        return change;
    }
    void ExpectNone() {
        EXPECT_TRUE(recorder_.changes.empty());
        recorder_.changes.clear();
    }

    Document document_;
    Recorder recorder_;
    Document::Subscription subscription_;
};

TEST_F(DocumentChangeTest, AddTellsFramesCountCurrentHistoryAndFileOnceAfterTheChange) {
    document_.Add();
    ASSERT_EQ(recorder_.framesSeen, std::vector<int>{2});
    const DocumentChange change = Only();
    // The current frame is selected alone: the selection moves with it.
    EXPECT_EQ(change.aspects,
              kFrames | kFrameCount | kCurrentFrame | kHistory | kFile | kSelection);
    EXPECT_EQ(change.redraw, Redraw::RebuildToEnd);

    // A second recorded edit: the file was modified already, but the history moved on.
    document_.Clear();
    const DocumentChange clear = Only();
    EXPECT_EQ(clear.aspects, kFrames | kHistory | kFile);
    EXPECT_EQ(clear.redraw, Redraw::Repaint);
}

TEST_F(DocumentChangeTest, CommandsThatChangeNothingTellNothing) {
    document_.New(kMaxFrames);
    Only();
    EXPECT_EQ(document_.Add().status, EditStatus::Full);
    ExpectNone();
    document_.Undo();  // nothing to undo
    ExpectNone();
    document_.SetCurrentFrame(0);  // already current
    ExpectNone();
    document_.SetPlaybackSettings(1, 1, 0);  // the values it has
    ExpectNone();
    MemoryClipboard clipboard;
    EXPECT_TRUE(document_.Copy(clipboard));
    ExpectNone();
    EXPECT_EQ(document_.MoveFrameLeft().status, EditStatus::Unchanged);
    ExpectNone();
    EXPECT_FALSE(document_.ToggleDot(0, 3, 0)) << "the mark row takes no dot";
    ExpectNone();
}

TEST_F(DocumentChangeTest, ADotIsAFrameChangeWithoutUndoOrRedraw) {
    ASSERT_TRUE(document_.ToggleDot(0, 3, 4));
    const DocumentChange change = Only();
    EXPECT_EQ(change.aspects, kFrames);
    EXPECT_EQ(change.redraw, Redraw::None) << "the grid repaints its own cell";
}

TEST_F(DocumentChangeTest, MovesAndInsertionsAskTheViewToShowTheCurrentFrame) {
    document_.New(3);
    Only();
    document_.SetCurrentFrame(1);
    EXPECT_EQ(Only().aspects, kCurrentFrame | kSelection);
    document_.MoveFrameRight();
    const DocumentChange move = Only();
    EXPECT_EQ(move.aspects, kFrames | kCurrentFrame | kHistory | kFile | kSelection);
    EXPECT_EQ(move.redraw, Redraw::RepaintShowingCurrent);

    document_.InsertFramesAfterCurrent({testing::BlankFrame(), testing::BlankFrame()});
    const DocumentChange insert = Only();
    EXPECT_EQ(insert.aspects,
              kFrames | kFrameCount | kCurrentFrame | kHistory | kFile | kSelection);
    EXPECT_EQ(insert.redraw, Redraw::RebuildShowingCurrent);
    EXPECT_EQ(document_.Set().CurFrame, 3);
    EXPECT_TRUE(Rebuilds(insert.redraw));
    EXPECT_FALSE(Rebuilds(move.redraw));
}

TEST_F(DocumentChangeTest, SpeedsAndOrientationArePlaybackChangesOnly) {
    document_.SetPlaybackSettings(12, 1, 0);
    EXPECT_EQ(Only().aspects, kPlayback);
    document_.SetPlaybackSettings(12, 1, 1);
    EXPECT_EQ(Only().aspects, kPlayback);
    EXPECT_EQ(document_.Set().OrientationFlag, 1);
    document_.SetPlaybackSettings(99, 0, 1);  // brought into 1..50
    EXPECT_EQ(Only().aspects, kPlayback);
    EXPECT_EQ(document_.Set().SpeedAnim, 50);
    EXPECT_EQ(document_.Set().SpeedRow, 1);
}

TEST_F(DocumentChangeTest, UndoAndRedoTellTheRestoredFramesAndTheHistory) {
    document_.Add();
    Only();
    document_.Undo();
    const DocumentChange undo = Only();
    // The current frame is past the restored set until the view lowers it: nothing is selected.
    EXPECT_EQ(undo.aspects, kFrames | kFrameCount | kHistory | kFile | kSelection);
    EXPECT_EQ(undo.redraw, Redraw::Rebuild);
    document_.Redo();
    EXPECT_EQ(Only().aspects, kFrames | kFrameCount | kHistory | kFile | kSelection);
}

class FailingClipboard : public MemoryClipboard {
  public:
    bool OffersFrame() override { return true; }
    std::vector<std::uint8_t> ReadFrame() override { throw std::runtime_error("unreadable"); }
};

TEST_F(DocumentChangeTest, AFailedPasteStillTellsTheStepItRecorded) {
    FailingClipboard clipboard;
    EXPECT_THROW(document_.Paste(clipboard), std::runtime_error);
    const DocumentChange change = Only();
    EXPECT_EQ(change.aspects, kHistory | kFile);
    EXPECT_EQ(change.redraw, Redraw::None);
    EXPECT_TRUE(document_.History().CanUndo());
}

TEST_F(DocumentChangeTest, FilesNameTheDocumentOnlyWhenReadWhole) {
    testing::TempDir dir;
    const std::string kdz = dir.File("a.kdz");
    document_.Save(kdz);
    EXPECT_EQ(Only().aspects, kFile);
    document_.Save(kdz);  // the same name again still tells: the caption may show it
    EXPECT_EQ(Only().aspects, kFile);

    document_.Add();
    Only();
    const std::string bin = dir.File("line.bin");
    document_.Save(bin);
    EXPECT_EQ(Only().aspects, kFile | kHistory);
    const auto names = ModuleFileNames(bin);
    std::filesystem::remove(names[5]);

    document_.New(1);
    EXPECT_EQ(Only().aspects, kFrames | kFrameCount | kFile | kSelection);
    const ReadReport partial = document_.Load(names[0]);
    ASSERT_FALSE(partial.complete);
    const DocumentChange change = Only();
    EXPECT_FALSE(change.Has(kFile)) << "a set read up to a missing file is not that file";
    EXPECT_TRUE(change.Has(kFrames));
    EXPECT_EQ(change.redraw, Redraw::Rebuild);

    document_.Load(kdz);
    EXPECT_TRUE(Only().Has(kFile));
    // Known by a name before, by none after: that is a change of the file.
    document_.Load(names[0]);
    EXPECT_TRUE(Only().Has(kFile)) << "the caption would go on naming a.kdz";
    EXPECT_EQ(document_.Set().FileName, "");
}

TEST(DocumentSubscription, EndsWithItsHandleWhicheverGoesFirst) {
    auto document = std::make_unique<Document>();
    Recorder first(*document);
    Recorder second(*document);
    auto kept = std::make_unique<Document::Subscription>(document->Subscribe(first));
    {
        const Document::Subscription gone = document->Subscribe(second);
        document->Add();
    }
    document->Add();
    EXPECT_EQ(first.changes.size(), 2U);
    EXPECT_EQ(second.changes.size(), 1U);

    Document::Subscription moved = std::move(*kept);
    kept.reset();  // a moved-from handle ends nothing
    document->Add();
    EXPECT_EQ(first.changes.size(), 3U);
    document.reset();
    moved.End();  // the document is gone already: nothing to do, nothing to crash
    SUCCEED();
}

TEST(DocumentSubscription, AnObserverEndedDuringANotificationIsNotToldAnyMore) {
    Document document;
    Recorder late(document);
    Document::Subscription lateSubscription;
    struct Ender : DocumentObserver {
        Document::Subscription* victim = nullptr;
        int told = 0;
        void DocumentChanged(const DocumentChange&) override {
            ++told;
            victim->End();
        }
    } ender;
    ender.victim = &lateSubscription;
    const Document::Subscription enderSubscription = document.Subscribe(ender);
    lateSubscription = document.Subscribe(late);
    document.Add();
    EXPECT_EQ(ender.told, 1);
    EXPECT_TRUE(late.changes.empty());
}

}  // namespace
}  // namespace kadr
