#include <gtest/gtest.h>

#include "dialogs/OptionsRules.h"
#include "platform/HotKeyCode.h"

namespace lumivane {
namespace {

TEST(OptionsRules, TransparencyPercentage) {
  EXPECT_EQ(TransparencyText(0), "0% Transparent");
  EXPECT_EQ(TransparencyText(128), "50% Transparent");
  EXPECT_EQ(TransparencyText(255), "100% Transparent");
  EXPECT_EQ(SliderFromAlpha(255), 0);
  EXPECT_EQ(AlphaFromSlider(128), 127);
}

TEST(OptionsRules, StoredIndexOutsideTheListSelectsNothing) {
  EXPECT_EQ(ListIndexFor(1, 2), 1);
  EXPECT_EQ(ListIndexFor(2, 2), -1);
  EXPECT_EQ(ListIndexFor(-1, 2), -1);
  EXPECT_EQ(ListIndexFor(0, 0), -1);
}

TEST(OptionsRules, TheSectionsAreNeverBothOff) {
  EXPECT_EQ(KeepOneSection({false, false}, true).tasks, true);
  EXPECT_EQ(KeepOneSection({false, false}, true).calendar, false);
  EXPECT_EQ(KeepOneSection({false, false}, false).calendar, true);
  EXPECT_EQ(KeepOneSection({false, false}, false).tasks, false);
  const SectionBoxes one = KeepOneSection({false, true}, true);
  EXPECT_FALSE(one.calendar);
  EXPECT_TRUE(one.tasks);
}

TEST(OptionsRules, BoxedNumbers) {
  EXPECT_EQ(SubjectSizeControls(0).checked, false);
  EXPECT_EQ(SubjectSizeControls(0).value, 30);
  EXPECT_EQ(SubjectSizeControls(-5).value, 30);
  EXPECT_EQ(SubjectSizeControls(12).value, 12);
  EXPECT_EQ(SubjectSizeSetting(false, 40), 0);
  EXPECT_EQ(SubjectSizeSetting(true, 30), 30);
  EXPECT_EQ(SubjectSizeSetting(true, 5000), 999);
  EXPECT_EQ(SubjectSizeSetting(true, 0), 1);
  EXPECT_EQ(IndentControls(-1).checked, false);
  EXPECT_EQ(IndentControls(-1).value, 3);
  EXPECT_EQ(IndentControls(0).checked, true);
  EXPECT_EQ(IndentSetting(false, 4), -1);
  EXPECT_EQ(IndentSetting(true, 40), 10);
  EXPECT_EQ(ClampedValue(500, 1, 300), 300);
  EXPECT_EQ(ClampedValue(-9'000'000'000LL, 1, 300), 1);
}

TEST(OptionsRules, HotKeyTakenWithAltWithoutAModifierOrWithShiftAlone) {
  constexpr std::uint32_t F5 = 0x74;
  EXPECT_EQ(HotKeyFieldCode(F5), F5 | kHotKeyAlt);
  EXPECT_EQ(HotKeyFieldCode(F5 | kHotKeyShift), F5 | kHotKeyShift | kHotKeyAlt);
  EXPECT_EQ(HotKeyFieldCode(F5 | kHotKeyCtrl), F5 | kHotKeyCtrl);
  EXPECT_EQ(HotKeyFieldCode(F5 | kHotKeyCtrl | kHotKeyShift), F5 | kHotKeyCtrl | kHotKeyShift);
  EXPECT_EQ(HotKeyFieldCode(F5 | kHotKeyWin), F5 | kHotKeyWin);
  EXPECT_EQ(HotKeyFieldCode(0), 0u);
}

}  // namespace
}  // namespace lumivane
