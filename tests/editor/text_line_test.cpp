// The text tool in the editor: desktop fonts through Qt, the dialog, and the line in the strip.
#include <set>

#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QSpinBox>

#include "editor/dialogs/text_line_dialog.h"
#include "editor/dialogs/text_preview.h"
#include "editor/strip/frame_strip.h"
#include "frameset/frame_kinds.h"
#include "frameset/text/builtin_font.h"
#include "full_editor_fixture.h"
#include "pictures/system_font.h"

namespace kadr::editor::testing {
namespace {

using kadr::text::Placement;

std::set<int> InkRows(const kadr::text::TextPicture& picture) {
    std::set<int> rows;
    for (int c = 0; c < picture.width; ++c) {
        for (int r = 0; r < kDotRows; ++r) {
            if (picture.Ink(c, r)) {
                rows.insert(r);
            }
        }
    }
    return rows;
}

TEST(SystemFont, DrawsInkOnlyInTheChosenRows) {
    const std::unique_ptr<SystemFont> font = SystemFont::Find(QStringLiteral("dejavu sans"), 10);
    ASSERT_NE(font, nullptr) << "the tests need the DejaVu fonts";
    EXPECT_EQ(font->Height(), 10);
    EXPECT_GT(font->PixelSize(), 4);
    const std::pair<Placement, int> cases[] = {
        {Placement::Top, 0}, {Placement::Bottom, 4}, {Placement::Middle, 2}};
    for (const auto& [placement, top] : cases) {
        const kadr::text::RenderedText text =
            kadr::text::RenderText("Hgy ЖЁ", *font, {placement, 1, 0, 0});
        EXPECT_TRUE(text.missing.empty());
        const std::set<int> rows = InkRows(text.picture);
        ASSERT_FALSE(rows.empty());
        EXPECT_GE(*rows.begin(), top);
        EXPECT_LE(*rows.rbegin(), top + 9);
        // Capitals and descenders reach well across the rows given.
        EXPECT_GE(*rows.rbegin() - *rows.begin(), 6);
    }
    // Without smoothing the same character always comes out as the same dots.
    const auto a = font->GlyphFor(U'Ш');
    ASSERT_TRUE(a);
    EXPECT_EQ(*a, *font->GlyphFor(U'Ш'));
    EXPECT_LT(font->GlyphFor(U'i')->width, a->width);
    // A character the font itself lacks is not borrowed from another font.
    const kadr::text::RenderedText odd = kadr::text::RenderText("A\U0010FFFD", *font, {});
    EXPECT_EQ(odd.missing, U"\U0010FFFD");

    EXPECT_EQ(SystemFont::Find(QStringLiteral("No Such Font Family 0815"), 10), nullptr);
}

ModalScript::Step InDialog(std::function<void(TextLineDialog&)> act) {
    return Answer<TextLineDialog>("the text dialog", std::move(act));
}

class TextLineTest : public FullEditorTest {};

TEST_F(TextLineTest, ComesLastInTheEditMenuAfterASeparator) {
    QMenu* edit = nullptr;
    for (QAction* item : Main().menuBar()->actions()) {
        if (item->text() == QStringLiteral("&Правка")) {
            edit = item->menu();
        }
    }
    ASSERT_NE(edit, nullptr);
    const QList<QAction*> items = edit->actions();
    ASSERT_GE(items.size(), 3);
    const int at = static_cast<int>(items.indexOf(Main().Actions().acTextLine));
    ASSERT_GT(at, 1);
    EXPECT_EQ(Main().Actions().acTextLine->text(), QStringLiteral("Бегущая строка из текста..."));
    EXPECT_TRUE(items[at - 1]->isSeparator());
    EXPECT_EQ(items[at - 2], Main().Actions().acDelete);
}

TEST_F(TextLineTest, OkPutsThePreviewedLineAfterTheCurrentFrameAndOneUndoRemovesIt) {
    Main().Doc().New(3);
    Set().CurFrame = 0;
    Main().RebuildFrameStrip(Main().CellSize());
    int previewWidth = -1;
    ModalScript script;
    script.Then(InDialog([&](TextLineDialog& dialog) {
        dialog.edText()->setText(QStringLiteral("Привет"));
        previewWidth = dialog.Preview()->Picture().width;
        EXPECT_TRUE(dialog.CanAccept());
        EXPECT_TRUE(dialog.Summary()->text().contains(QStringLiteral("Кадров: 4")))
            << dialog.Summary()->text().toStdString();
        dialog.accept();
    }));
    Run(Main().Actions().acTextLine, script);

    EXPECT_EQ(previewWidth, 31);
    EXPECT_EQ(Set().LastFrame, 6);
    EXPECT_EQ(Set().CurFrame, 1);
    EXPECT_EQ(GetFrameKind(Set().Frames[1]), fkBegStr);
    EXPECT_EQ(GetFrameKind(Set().Frames[2]), fkStr);
    EXPECT_EQ(GetFrameKind(Set().Frames[3]), fkStr);
    EXPECT_EQ(GetFrameKind(Set().Frames[4]), fkEndStr);
    EXPECT_EQ(StatusText(0), QStringLiteral("Кадров = 7"));
    EXPECT_TRUE(Main().Actions().acUndo->isEnabled());

    Run(Main().Actions().acUndo);
    EXPECT_EQ(Set().LastFrame, 2);
    EXPECT_FALSE(Main().Actions().acUndo->isEnabled());
    EXPECT_EQ(StatusText(0), QStringLiteral("Кадров = 3"));
}

TEST_F(TextLineTest, TheStripScrollsToTheNewFrames) {
    Main().Doc().New(40);
    Main().RebuildFrameStrip(Main().CellSize());
    auto* bar = Main().findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
    ASSERT_NE(bar, nullptr);
    bar->setValue(30);
    Set().CurFrame = 30;
    ASSERT_EQ(Main().Strip().FirstVisibleFrame(), 30);
    ModalScript script;
    script.Then(InDialog([](TextLineDialog& dialog) {
        dialog.edText()->setText(QStringLiteral("Ш"));
        dialog.accept();
    }));
    Run(Main().Actions().acTextLine, script);
    ASSERT_EQ(Set().LastFrame, 42);
    EXPECT_EQ(Set().CurFrame, 31);
    const FrameStrip& strip = Main().Strip();
    EXPECT_LE(strip.FirstVisibleFrame(), 31);
    EXPECT_GT(strip.FirstVisibleFrame() + strip.SlotCount(), 31);
}

TEST_F(TextLineTest, TooLongALineIsExplainedAndOkRefused) {
    Main().Doc().New(250);
    Main().RebuildFrameStrip(Main().CellSize());
    ModalScript script;
    script.Then(InDialog([](TextLineDialog& dialog) {
        dialog.edText()->setText(QStringLiteral("Привет"));
        EXPECT_TRUE(dialog.CanAccept());  // 4 frames of the 6 free
        dialog.seLead()->setValue(3 * kColumns);
        EXPECT_FALSE(dialog.CanAccept());
        const QString summary = dialog.Summary()->text();
        EXPECT_TRUE(summary.contains(QStringLiteral("нужно кадров: 7"))) << summary.toStdString();
        EXPECT_TRUE(summary.contains(QStringLiteral("свободно: 6"))) << summary.toStdString();
        dialog.accept();  // OK is refused: the dialog stays
        EXPECT_TRUE(dialog.isVisible());
        dialog.edText()->clear();
        EXPECT_FALSE(dialog.CanAccept());
        dialog.reject();
    }));
    Run(Main().Actions().acTextLine, script);
    EXPECT_EQ(Set().LastFrame, 249);
    EXPECT_FALSE(Main().Actions().acUndo->isEnabled());
}

TEST_F(TextLineTest, TheDialogRemembersItsSettingsAcrossRuns) {
    ModalScript first;
    first.Then(InDialog([](TextLineDialog& dialog) {
        dialog.edText()->setText(QStringLiteral("Ёж"));
        dialog.cbFont()->setCurrentIndex(TextLineSettings::Builtin14);
        dialog.seGap()->setValue(3);
        dialog.seTrail()->setValue(5);
        // The 14-dot font fills the display: there is nothing to place.
        EXPECT_FALSE(dialog.cbPlace()->isEnabled());
        EXPECT_EQ(
            dialog.Preview()->Picture().width,
            kadr::text::RenderText("Ёж", kadr::text::BuiltinFont(2), {Placement::Top, 3, 0, 5})
                .picture.width);
        dialog.accept();
    }));
    Run(Main().Actions().acTextLine, first);
    Restart();
    ModalScript second;
    second.Then(InDialog([](TextLineDialog& dialog) {
        EXPECT_EQ(dialog.edText()->text(), QStringLiteral("Ёж"));
        EXPECT_EQ(dialog.cbFont()->currentIndex(), TextLineSettings::Builtin14);
        EXPECT_EQ(dialog.seGap()->value(), 3);
        EXPECT_EQ(dialog.seTrail()->value(), 5);
        EXPECT_EQ(dialog.seHeight()->value(), 14);
        dialog.reject();
    }));
    Run(Main().Actions().acTextLine, second);
    EXPECT_EQ(Set().LastFrame, 0);
}

TEST_F(TextLineTest, ADesktopFontCanBeChosenAndMissingCharactersAreNamed) {
    ModalScript script;
    script.Then(InDialog([](TextLineDialog& dialog) {
        dialog.cbFont()->setCurrentIndex(TextLineSettings::Desktop);
        dialog.cbFamily()->setCurrentFont(QFont(QStringLiteral("DejaVu Sans")));
        dialog.seHeight()->setValue(9);
        // A built-in font shows its own height; the desktop font's comes back with it.
        dialog.cbFont()->setCurrentIndex(TextLineSettings::Builtin7);
        EXPECT_EQ(dialog.seHeight()->value(), 7);
        EXPECT_FALSE(dialog.seHeight()->isEnabled());
        dialog.cbFont()->setCurrentIndex(TextLineSettings::Desktop);
        EXPECT_EQ(dialog.seHeight()->value(), 9);
        dialog.cbPlace()->setCurrentIndex(static_cast<int>(Placement::Bottom));
        dialog.edText()->setText(QStringLiteral("Hi\U0010FFFD"));
        const std::set<int> rows = InkRows(dialog.Preview()->Picture());
        ASSERT_FALSE(rows.empty());
        EXPECT_GE(*rows.begin(), 5);
        EXPECT_TRUE(dialog.cbPlace()->isEnabled());
        EXPECT_TRUE(dialog.Summary()->text().contains(QStringLiteral("Нет в шрифте")))
            << dialog.Summary()->text().toStdString();
        EXPECT_TRUE(dialog.CanAccept());
        dialog.accept();
    }));
    Run(Main().Actions().acTextLine, script);
    EXPECT_EQ(GetFrameKind(Set().Frames[1]), fkBegStr);
}

}  // namespace
}  // namespace kadr::editor::testing
