// The speed boxes: typed freely, Enter corrects only values above the maximum, leaving the box
// brings the value into 1..50.
#include <QLineEdit>

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

}  // namespace
}  // namespace kadr::editor::testing
