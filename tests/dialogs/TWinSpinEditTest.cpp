#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

#include "dialogs/controls/TWinSpinEdit.h"

namespace lumivane {
namespace {

TEST(WholeNumber, SignsDigitsAndTheEndsOf64Bits) {
  EXPECT_EQ(ParseWholeNumber("42"), 42);
  EXPECT_EQ(ParseWholeNumber("+7"), 7);
  EXPECT_EQ(ParseWholeNumber("-0012"), -12);
  EXPECT_EQ(ParseWholeNumber("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(ParseWholeNumber("-9223372036854775808"), INT64_MIN);
  for (const char* text : {"", "+", "-", "1.5", " 5", "5 ", "+-1", "9223372036854775808", "1e3"}) {
    EXPECT_EQ(ParseWholeNumber(text), std::nullopt) << text;
  }
}

TEST(WholeNumber, StepsClampAndNeverOverflow) {
  EXPECT_EQ(StepValue(89, 1, 1, 1, 90), 90);
  EXPECT_EQ(StepValue(90, 1, 1, 1, 90), 90);
  EXPECT_EQ(StepValue(1, -1, 1, 1, 90), 1);
  EXPECT_EQ(StepValue(500, -1, 1, 1, 90), 90);  // out of range before: into it
  EXPECT_EQ(StepValue(INT64_MAX, 1, 1, INT64_MIN, INT64_MAX), INT64_MAX);
  EXPECT_EQ(StepValue(INT64_MIN, -10, 1, INT64_MIN, INT64_MAX), INT64_MIN);
}

struct SpinFixture : ::testing::Test {
  TWinSpinEdit spin;
  void SetUp() override {
    spin.SetMinValue(1);
    spin.SetMaxValue(90);
    spin.SetValue(15);
    spin.show();
    spin.setFocus();
  }
  QString Text() const { return spin.text(); }
};

TEST_F(SpinFixture, AnEmptiedFieldShowsMinValueOnKeyRelease) {
  QTest::keyClick(&spin, Qt::Key_End);
  QTest::keyClick(&spin, Qt::Key_Backspace);
  EXPECT_EQ(Text(), "1");  // "15" -> "1": a number, kept
  QTest::keyClick(&spin, Qt::Key_Backspace);
  EXPECT_EQ(Text(), "1");  // "" -> MinValue
  spin.SetValue(42);
  QTest::keyClick(&spin, Qt::Key_End);
  QTest::keyClick(&spin,
                  Qt::Key_Period);  // the separator may be typed, but "42." is no whole number
  EXPECT_EQ(Text(), "1");
}

TEST_F(SpinFixture, KeysOutsideTheFilterAreDropped) {
  QTest::keyClick(&spin, Qt::Key_End);
  QTest::keyClick(&spin, Qt::Key_A);
  QTest::keyClick(&spin, Qt::Key_Space);
  EXPECT_EQ(Text(), "15");
  QTest::keyClick(&spin, Qt::Key_3);
  EXPECT_EQ(Text(), "153");  // typing is not clamped
  EXPECT_EQ(spin.Value(), 153);
}

TEST_F(SpinFixture, APasteGoesThroughTheSameFilter) {
  spin.findChild<QLineEdit*>()->selectAll();
  QApplication::clipboard()->setText("12a");
  QTest::keyClick(&spin, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Text(), "15");
  QApplication::clipboard()->setText("42");
  QTest::keyClick(&spin, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Text(), "42");
}

TEST_F(SpinFixture, ArrowsAndFocusLossClampToTheRange) {
  spin.SetValue(89);
  QTest::keyClick(&spin, Qt::Key_Up);
  QTest::keyClick(&spin, Qt::Key_Up);
  EXPECT_EQ(spin.Value(), 90);
  spin.SetValue(2);
  spin.stepBy(-5);  // the arrow buttons
  EXPECT_EQ(spin.Value(), 1);
  QTest::keyClick(&spin, Qt::Key_End);
  QTest::keyClicks(&spin, "000");
  EXPECT_EQ(Text(), "1000");
  QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&spin, &focusOut);
  EXPECT_EQ(Text(), "90");
}

TEST(TWinSpinEdit, ValuesBeyond32Bits) {
  TWinSpinEdit spin;
  spin.SetMinValue(0);
  spin.SetMaxValue(INT64_MAX);
  spin.SetValue(5'000'000'000);
  spin.stepBy(1);
  EXPECT_EQ(spin.Value(), 5'000'000'001);
  EXPECT_EQ(spin.text(), "5000000001");
}

}  // namespace
}  // namespace lumivane
