#pragma once
// The small rules of the options dialog, free of widgets: how controls map to
// settings and back, and how the controls hold each other.
#include <cstdint>
#include <string>

namespace lumivane {

// The label under the transparency slider: position x 100 / 255 (integer
// division) followed by "% Transparent".
std::string TransparencyText(int sliderPosition);
// The slider stands for 255 - AlphaLevel both ways.
inline int SliderFromAlpha(int alphaLevel) {
  return 255 - alphaLevel;
}
inline int AlphaFromSlider(int position) {
  return 255 - position;
}

// A list shows a stored index only when it names one of its items; any other
// index leaves it without a selection (-1), which is what OK then stores.
int ListIndexFor(int stored, int itemCount);

// The two section boxes are never both off: the box the user did not click
// is checked again when the click left neither checked.
struct SectionBoxes {
  bool calendar = true;
  bool tasks = true;
};
SectionBoxes KeepOneSection(SectionBoxes boxes, bool calendarClicked);

// A value read from a numeric edit, kept within its range.
int ClampedValue(std::int64_t value, int minimum, int maximum);

// "MaxSubjectSize": the box is checked for a size above 0, and the edit then
// shows that size, else 30; stored as the edit's value when checked, else 0.
struct BoxedNumber {
  bool checked = false;
  int value = 0;
};
BoxedNumber SubjectSizeControls(int maxSubjectSize);
int SubjectSizeSetting(bool checked, std::int64_t editValue);
// "Indent": checked for 0 or more (the edit then shows it), else 3;
// stored as the edit's value when checked, else -1.
BoxedNumber IndentControls(int indent);
int IndentSetting(bool checked, std::int64_t editValue);

// The hot key field takes a key typed without a modifier, or with Shift
// alone, with Alt added; 0 (no key) stays 0.
std::uint32_t HotKeyFieldCode(std::uint32_t code);

// The text of the font panel: name, ", ", size, "pt".
std::string FontPanelText(const std::string& family, int pointSize);

}  // namespace lumivane
