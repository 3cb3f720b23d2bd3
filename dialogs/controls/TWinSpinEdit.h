#pragma once
// The numeric edit: a single-line edit with up and down arrow buttons whose
// text is a 64-bit whole number. Only digits, "+", "-", the locale's decimal
// separator and control keys can be typed; the value is clamped to the range
// on the arrows and when the edit loses the focus, and text that is not a
// whole number reads as MinValue (and is replaced by it) whenever the value
// is read, which happens after every key release.
#include <QAbstractSpinBox>
#include <cstdint>
#include <optional>
#include <string_view>

namespace lumivane {

// A whole number: an optional sign, then decimal digits only; nullopt for
// anything else, the empty text and values beyond 64 bits.
std::optional<std::int64_t> ParseWholeNumber(std::string_view text);
// value + steps * increment, clamped to min .. max, without overflowing.
std::int64_t StepValue(std::int64_t value, std::int64_t steps, std::int64_t increment,
                       std::int64_t min, std::int64_t max);

class TWinSpinEdit : public QAbstractSpinBox {
  Q_OBJECT

 public:
  explicit TWinSpinEdit(QWidget* parent = nullptr);

  // Reading is not free of effects: text that is not a whole number is
  // replaced by MinValue first.
  std::int64_t Value();
  // The text becomes the number, clamped when the range is not empty.
  void SetValue(std::int64_t value);
  std::int64_t MinValue() const { return minValue_; }
  void SetMinValue(std::int64_t value) { minValue_ = value; }
  std::int64_t MaxValue() const { return maxValue_; }
  void SetMaxValue(std::int64_t value) { maxValue_ = value; }
  std::int64_t Increment() const { return increment_; }
  void SetIncrement(std::int64_t value) { increment_ = value; }

  // Whether a typed or pasted character may enter the text.
  static bool AllowedCharacter(QChar c);

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  StepEnabled stepEnabled() const override;

 private:
  std::int64_t Clamp(std::int64_t value) const;
  void SetText(std::int64_t value);

  std::int64_t minValue_ = 0;
  std::int64_t maxValue_ = 100;
  std::int64_t increment_ = 1;
};

}  // namespace lumivane
