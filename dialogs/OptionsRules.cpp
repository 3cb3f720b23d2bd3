#include "dialogs/OptionsRules.h"

#include <algorithm>

#include "platform/HotKeyCode.h"

namespace lumivane {

namespace {
constexpr int kSubjectSizeMin = 1;
constexpr int kSubjectSizeMax = 999;
constexpr int kSubjectSizeOff = 30;
constexpr int kIndentMin = 1;
constexpr int kIndentMax = 10;
constexpr int kIndentOff = 3;
}  // namespace

std::string TransparencyText(int sliderPosition) {
  return std::to_string(sliderPosition * 100 / 255) + "% Transparent";
}

int ListIndexFor(int stored, int itemCount) {
  return stored >= 0 && stored < itemCount ? stored : -1;
}

SectionBoxes KeepOneSection(SectionBoxes boxes, bool calendarClicked) {
  if (!boxes.calendar && !boxes.tasks) (calendarClicked ? boxes.tasks : boxes.calendar) = true;
  return boxes;
}

int ClampedValue(std::int64_t value, int minimum, int maximum) {
  return static_cast<int>(std::clamp<std::int64_t>(value, minimum, maximum));
}

BoxedNumber SubjectSizeControls(int maxSubjectSize) {
  if (maxSubjectSize > 0) return {true, maxSubjectSize};
  return {false, kSubjectSizeOff};
}

int SubjectSizeSetting(bool checked, std::int64_t editValue) {
  return checked ? ClampedValue(editValue, kSubjectSizeMin, kSubjectSizeMax) : 0;
}

BoxedNumber IndentControls(int indent) {
  if (indent >= 0) return {true, indent};
  return {false, kIndentOff};
}

int IndentSetting(bool checked, std::int64_t editValue) {
  return checked ? ClampedValue(editValue, kIndentMin, kIndentMax) : -1;
}

std::uint32_t HotKeyFieldCode(std::uint32_t code) {
  if (code == 0) return 0;
  const std::uint32_t modifiers = code & (kHotKeyShift | kHotKeyCtrl | kHotKeyAlt | kHotKeyWin);
  if (modifiers == 0 || modifiers == kHotKeyShift) code |= kHotKeyAlt;
  return code;
}

std::string FontPanelText(const std::string& family, int pointSize) {
  return family + ", " + std::to_string(pointSize) + "pt";
}

}  // namespace lumivane
