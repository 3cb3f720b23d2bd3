#include "dialogs/controls/TWinSpinEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QStyleOptionSpinBox>
#include <algorithm>
#include <charconv>

namespace lumivane {

std::optional<std::int64_t> ParseWholeNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  // Parsed with the sign in place, so that the most negative value reads too.
  std::string digits = negative ? "-" : "";
  digits.append(text);
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

std::int64_t StepValue(std::int64_t value, std::int64_t steps, std::int64_t increment,
                       std::int64_t min, std::int64_t max) {
  std::int64_t delta = 0;
  std::int64_t result = 0;
  if (__builtin_mul_overflow(steps, increment, &delta) ||
      __builtin_add_overflow(value, delta, &result)) {
    // Past the ends of 64 bits: the end the step was heading for.
    result = (steps < 0) != (increment < 0) ? INT64_MIN : INT64_MAX;
  }
  if (min <= max) result = std::clamp(result, min, max);
  return result;
}

TWinSpinEdit::TWinSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  // The value is the text itself; no rounding or correction behind the user's back.
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  SetText(0);
}

bool TWinSpinEdit::AllowedCharacter(QChar c) {
  if (c.isDigit() && c.unicode() < 128) return true;
  if (c == u'+' || c == u'-') return true;
  const QString separator = QLocale().decimalPoint();
  return separator.size() == 1 && c == separator.front();
}

std::int64_t TWinSpinEdit::Clamp(std::int64_t value) const {
  return minValue_ <= maxValue_ ? std::clamp(value, minValue_, maxValue_) : value;
}

void TWinSpinEdit::SetText(std::int64_t value) {
  lineEdit()->setText(QString::number(value));
}

std::int64_t TWinSpinEdit::Value() {
  if (const auto value = ParseWholeNumber(text().toStdString())) return *value;
  SetText(minValue_);
  return minValue_;
}

void TWinSpinEdit::SetValue(std::int64_t value) {
  SetText(Clamp(value));
}

void TWinSpinEdit::stepBy(int steps) {
  SetText(StepValue(Value(), steps, increment_, minValue_, maxValue_));
  lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled TWinSpinEdit::stepEnabled() const {
  if (isReadOnly()) return StepNone;
  return StepUpEnabled | StepDownEnabled;
}

QValidator::State TWinSpinEdit::validate(QString& input, int&) const {
  // A paste passes the same filter as the keys: one character that could
  // not be typed refuses the whole text.
  const bool allowed = std::all_of(input.begin(), input.end(), &AllowedCharacter);
  return allowed ? QValidator::Acceptable : QValidator::Invalid;
}

void TWinSpinEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter && typed.size() == 1) {
    const QChar c = typed.front();
    // With Ctrl held a key is a command (Ctrl+V pastes), whatever text it carries.
    const bool control = c.unicode() < 0x20 || c.unicode() == 0x7F ||
                         event->modifiers().testFlag(Qt::ControlModifier);
    if (!control && !AllowedCharacter(c)) {
      QApplication::beep();
      event->accept();
      return;
    }
  }
  // Enter is never typed: the spin box passes it on to the dialog's default button.
  QAbstractSpinBox::keyPressEvent(event);
}

void TWinSpinEdit::keyReleaseEvent(QKeyEvent* event) {
  QAbstractSpinBox::keyReleaseEvent(event);
  Value();
}

void TWinSpinEdit::focusOutEvent(QFocusEvent* event) {
  SetText(Clamp(Value()));
  QAbstractSpinBox::focusOutEvent(event);
}

QSize TWinSpinEdit::sizeHint() const {
  ensurePolished();
  const QFontMetrics metrics(font());
  const int digits = std::max(metrics.horizontalAdvance(QString::number(minValue_)),
                              metrics.horizontalAdvance(QString::number(maxValue_)));
  QStyleOptionSpinBox option;
  initStyleOption(&option);
  const QSize text(std::max(digits, metrics.horizontalAdvance(QStringLiteral("000"))) + 4,
                   lineEdit()->sizeHint().height());
  return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

QSize TWinSpinEdit::minimumSizeHint() const {
  return sizeHint();
}

}  // namespace lumivane
