// Copy and Paste through the desktop's clipboard, between two editor windows and with what other
// programs leave there.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include "editor/app/startup_settings.h"
#include "frameset/frame_kinds.h"
#include "full_editor_fixture.h"

namespace kadr::editor::testing {
namespace {

class ClipboardTest : public FullEditorTest {
  protected:
    QClipboard& Clipboard() { return *QGuiApplication::clipboard(); }
    void PutPayload(const QByteArray& bytes) {
        auto* data = new QMimeData;
        data->setData(ClipboardFormat(), bytes);
        Clipboard().setMimeData(data);
    }
};

TEST_F(ClipboardTest, AFrameTravelsToAnotherEditorWithItsKind) {
    Run(Main().Actions().mnBegStr);
    Set().Frames[0][CellIndex(4, 4)] = kDotSet;  // a dot read from a file
    const Frame copied = Set().Frames[0];
    const bool modifiedBefore = Main().HasUnsavedChanges();
    Run(Main().Actions().acCopy);
    EXPECT_EQ(Main().HasUnsavedChanges(), modifiedBefore) << "Copy changes nothing";
    EXPECT_EQ(Clipboard().mimeData()->data(ClipboardFormat()).size(), kFrameBytes);

    TfmMain other;
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    other.Actions().acAdd->trigger();
    other.Actions().acPaste->trigger();
    EXPECT_EQ(other.Doc().Set().Frames[1], copied);
    EXPECT_EQ(GetFrameKind(other.Doc().Set().Frames[1]), fkBegStr);
    EXPECT_EQ(other.Doc().Set().Frames[0][CellIndex(4, 4)], kDotBlank) << "only the current frame";
    other.Actions().acUndo->trigger();
    EXPECT_EQ(GetFrameKind(other.Doc().Set().Frames[1]), fkAnim);
}

TEST_F(ClipboardTest, CopyReplacesWhatOtherProgramsLeftThere) {
    Clipboard().setText(QStringLiteral("текст"));
    Run(Main().Actions().acCopy);
    EXPECT_FALSE(Clipboard().mimeData()->hasText());
    EXPECT_TRUE(Clipboard().mimeData()->hasFormat(ClipboardFormat()));
}

TEST_F(ClipboardTest, PasteOverTextChangesNoFrameButCanBeUndone) {
    ClickDot(2, 2);
    const Frame before = Set().Frames[0];
    Clipboard().setText(QStringLiteral("not a frame"));
    Run(Main().Actions().acPaste);
    EXPECT_EQ(Set().Frames[0], before);
    EXPECT_TRUE(Main().Actions().acUndo->isEnabled());
}

TEST_F(ClipboardTest, AShortPayloadIsReportedAndTheWindowGoesOn) {
    ClickDot(2, 2);
    const Frame before = Set().Frames[0];
    PutPayload(QByteArray(100, 0));
    ModalScript script;
    script.AnswerMessage(QMessageBox::Ok);
    Run(Main().Actions().acPaste, script);
    EXPECT_EQ(script.Messages(), QStringList{QStringLiteral("Stream read error.")});
    EXPECT_EQ(Set().Frames[0], before);
    EXPECT_TRUE(Main().Actions().acUndo->isEnabled()) << "the step was recorded before the read";
    Run(Main().Actions().acAdd);
    EXPECT_EQ(Set().FrameCount(), 2);
}

TEST_F(ClipboardTest, ForeignBytesBecomeBlankCells) {
    QByteArray payload(500, 7);
    payload[0] = 0;
    payload[17] = 1;
    PutPayload(payload);
    Run(Main().Actions().acPaste);
    for (int i = 0; i < kFrameBytes; ++i) {
        EXPECT_EQ(Set().Frames[0][static_cast<std::size_t>(i)], i == 0 ? kDotSet : kDotBlank) << i;
    }
}

}  // namespace
}  // namespace kadr::editor::testing
