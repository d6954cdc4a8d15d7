// The speed boxes: typed freely, Enter corrects only values above the maximum, leaving the box
// brings the value into 1..50.
#include <QLineEdit>

#include "editor/widgets/gap_label.h"
#include "editor/window/speed_box.h"
#include "editor_window_fixture.h"

namespace kadr::editor::testing {
namespace {

class SpeedBoxTest : public EditorWindowTest {
  protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        box_ = window_->Bottom().seSpeedRow;
        box_->setFocus();
        ASSERT_TRUE(box_->hasFocus());
        box_->selectAll();
    }
    void Type(const QString& text) {
        QTest::keyClick(box_, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box_, Qt::Key_Backspace);
        QTest::keyClicks(box_, text);
    }
    void Leave() {
        window_->Bottom().seSpeedAnim->setFocus();
        ASSERT_FALSE(box_->hasFocus());
    }
    SpeedBox* box_ = nullptr;
};

TEST_F(SpeedBoxTest, EnterBringsAValueAboveTheMaximumDownToIt) {
    Type(QStringLiteral("75"));
    EXPECT_EQ(box_->text(), QStringLiteral("75"));
    EXPECT_EQ(box_->TypedValue(), 75);
    QTest::keyClick(box_, Qt::Key_Return);
    EXPECT_EQ(box_->text(), QStringLiteral("50"));
    EXPECT_EQ(box_->value(), 50);
}

TEST_F(SpeedBoxTest, EnterLeavesAValueBelowTheMinimumUntilTheBoxIsLeft) {
    Type(QStringLiteral("0"));
    QTest::keyClick(box_, Qt::Key_Enter);
    EXPECT_EQ(box_->text(), QStringLiteral("0"));
    EXPECT_EQ(box_->TypedValue(), 0);
    Leave();
    EXPECT_EQ(box_->text(), QStringLiteral("1"));
    EXPECT_EQ(box_->value(), 1);
}

TEST_F(SpeedBoxTest, AValueInRangeIsKeptAndOneAboveIsClampedOnLeaving) {
    Type(QStringLiteral("30"));
    QTest::keyClick(box_, Qt::Key_Return);
    EXPECT_EQ(box_->text(), QStringLiteral("30"));
    Type(QStringLiteral("99"));
    Leave();
    EXPECT_EQ(box_->value(), 50);
}

TEST_F(SpeedBoxTest, AnEmptyBoxCountsAsTheMinimum) {
    Type(QString());
    QTest::keyClick(box_, Qt::Key_Return);
    EXPECT_EQ(box_->text(), QString());
    EXPECT_EQ(box_->TypedValue(), 1);
    Leave();
    EXPECT_EQ(box_->text(), QStringLiteral("1"));
}

// Under the Windows style the box needs more room than the label's blanks give; with a label font
// of tiny blanks the same happens here. The box must still show its whole number.
TEST_F(SpeedBoxTest, TheBoxKeepsRoomForItsNumberWhereTheBlanksAreNarrow) {
    auto* gap = qobject_cast<GapLabel*>(box_->parentWidget());
    ASSERT_NE(gap, nullptr);
    const int usual = gap->Blanks();
    EXPECT_GE(usual, 19);
    EXPECT_GE(box_->width(), box_->minimumSizeHint().width());

    QFont tiny = gap->font();
    tiny.setPixelSize(3);
    gap->setFont(tiny);
    EXPECT_GT(gap->Blanks(), usual);
    gap->resize(gap->sizeHint());
    QCoreApplication::sendPostedEvents();
    EXPECT_GE(box_->width(), box_->minimumSizeHint().width());
    const QFontMetrics metrics(tiny);
    // The box ends before the words after it begin.
    EXPECT_LE(box_->geometry().right(),
              metrics.horizontalAdvance(QStringLiteral("Скорость строки") +
                                        QString(gap->Blanks(), QLatin1Char(' '))));
}

}  // namespace
}  // namespace kadr::editor::testing
