// The import dialog on cells given to it: every choice thresholds the same cells again, and OK
// is refused with the reason while the frames would not fit.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "editor/dialogs/import_dialog.h"
#include "frameset/drawing/dot_cells.h"
#include "frameset/frame_set.h"
#include "frameset/picture_cells.h"

namespace kadr::editor {
namespace {

// Cells growing lighter from left to right: column x has the grey 9 x (0 .. 243).
PictureCells Gradient() {
    GreyPicture grid{kColumns, kDotRows, {}};
    for (int y = 0; y < kDotRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            grid.grey.push_back(static_cast<std::uint8_t>(9 * x));
        }
    }
    PictureCells cells;
    cells.width = kColumns;
    cells.height = kDotRows;
    cells.fit = grid;
    cells.crop = grid;
    return cells;
}

// The set dots of each column of a frame.
std::vector<int> ColumnDots(const Frame& frame) {
    std::vector<int> counts(kColumns, 0);
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kDotRows; ++y) {
            counts[static_cast<std::size_t>(x)] +=
                frame[static_cast<std::size_t>(DotCellIndex({x, y}))] == kDotSet ? 1 : 0;
        }
    }
    return counts;
}

// Columns 0 .. last - 1 full, the rest empty, or the other way round.
std::vector<int> FullUpTo(int last, bool fromTheRight = false) {
    std::vector<int> counts(kColumns, 0);
    for (int x = 0; x < kColumns; ++x) {
        counts[static_cast<std::size_t>(x)] = (x < last) != fromTheRight ? kDotRows : 0;
    }
    return counts;
}

TEST(ImportDialog, EveryChoiceThresholdsTheSameCellsAgain) {
    TfmImport dialog({Gradient()}, kMaxFrames, nullptr);
    ASSERT_EQ(dialog.Frames().size(), 1u);
    // 128: greys 0 .. 126 are dots, columns 0 to 14.
    EXPECT_EQ(ColumnDots(dialog.Frames()[0]), FullUpTo(15));
    dialog.Threshold()->setValue(50);  // greys 0 .. 45: columns 0 to 5
    EXPECT_EQ(ColumnDots(dialog.Frames()[0]), FullUpTo(6));
    dialog.Invert()->setChecked(true);  // the light columns 6 to 27 instead
    EXPECT_EQ(ColumnDots(dialog.Frames()[0]), FullUpTo(6, true));
    dialog.Invert()->setChecked(false);
    dialog.Threshold()->setValue(128);
    EXPECT_EQ(ColumnDots(dialog.Frames()[0]), FullUpTo(15)) << "back where it started";

    // Dithered, the dots follow the darkness: about 205 of the 392 in all (the sum of
    // (255 - grey) / 255 over the cells), thinning out to the right.
    dialog.Dither()->setChecked(true);
    const std::vector<int> dithered = ColumnDots(dialog.Frames()[0]);
    int total = 0;
    for (const int count : dithered) {
        total += count;
    }
    EXPECT_NEAR(total, 205, 14);
    EXPECT_EQ(dithered[0], kDotRows);
    EXPECT_GT(dithered[5], dithered[22]);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
}

TEST(ImportDialog, OkIsRefusedWithTheReasonWhileTheFramesWouldNotFit) {
    const std::vector<PictureCells> three(3, Gradient());
    TfmImport tight(three, 2, nullptr);
    EXPECT_EQ(tight.Frames().size(), 3u);
    EXPECT_FALSE(tight.OkButton()->isEnabled());
    const QString reason = tight.Summary()->text();
    EXPECT_TRUE(reason.contains(QStringLiteral("Кадров: 3"))) << reason.toStdString();
    EXPECT_TRUE(reason.contains(QStringLiteral("Не помещается: свободно кадров: 2")))
        << reason.toStdString();
    // A change of threshold makes no fewer frames: still refused.
    tight.Threshold()->setValue(10);
    EXPECT_FALSE(tight.OkButton()->isEnabled());

    TfmImport roomy(three, 3, nullptr);
    EXPECT_TRUE(roomy.OkButton()->isEnabled());
    EXPECT_FALSE(roomy.Summary()->text().contains(QStringLiteral("Не помещается")));

    // A picture too large to be cut 1:1: the cut is refused, the fitted picture is not.
    PictureCells large = Gradient();
    large.cropMissing = true;
    TfmImport cut({large}, kMaxFrames, nullptr);
    EXPECT_TRUE(cut.OkButton()->isEnabled());
    cut.Crop()->setChecked(true);
    EXPECT_FALSE(cut.OkButton()->isEnabled());
    EXPECT_TRUE(cut.Frames().empty());
    EXPECT_TRUE(cut.Summary()->text().contains(QStringLiteral("1:1")));
}

}  // namespace
}  // namespace kadr::editor
