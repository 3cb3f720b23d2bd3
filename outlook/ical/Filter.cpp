#include "outlook/ical/Filter.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "base/AsciiCase.h"
#include "i18n/DateFormat.h"
#include "outlook/AutomationError.h"

namespace lumivane::ical {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

template <typename T>
bool Compare(Filter::Op op, const T& a, const T& b) {
  switch (op) {
    case Filter::Op::Equal:
      return a == b;
    case Filter::Op::NotEqual:
      return a != b;
    case Filter::Op::Less:
      return a < b;
    case Filter::Op::LessOrEqual:
      return a <= b;
    case Filter::Op::Greater:
      return a > b;
    case Filter::Op::GreaterOrEqual:
      return a >= b;
  }
  return false;
}

bool CompareText(Filter::Op op, std::string_view a, std::string_view b) {
  switch (op) {
    case Filter::Op::Equal:
      return SameTextAscii(a, b);
    case Filter::Op::NotEqual:
      return !SameTextAscii(a, b);
    case Filter::Op::Less:
      return LessTextAscii(a, b);
    case Filter::Op::LessOrEqual:
      return !LessTextAscii(b, a);
    case Filter::Op::Greater:
      return LessTextAscii(b, a);
    case Filter::Op::GreaterOrEqual:
      return !LessTextAscii(a, b);
  }
  return false;
}

WallRange RangeOf(Filter::Op op, WallSeconds value) {
  WallRange range;
  switch (op) {
    case Filter::Op::Equal:
      range.lo = range.hi = value;
      break;
    case Filter::Op::Less:
    case Filter::Op::LessOrEqual:
      range.hi = value;
      break;
    case Filter::Op::Greater:
    case Filter::Op::GreaterOrEqual:
      range.lo = value;
      break;
    case Filter::Op::NotEqual:
      break;
  }
  return range;
}

WallRange Intersect(WallRange a, WallRange b) {
  return {std::max(a.lo, b.lo), std::min(a.hi, b.hi)};
}

WallRange Hull(WallRange a, WallRange b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.lo, b.lo), std::max(a.hi, b.hi)};
}

// first <= second: the first cannot lie after the second's last value, nor
// the second before the first's first.
DateBounds Ordered(DateBounds b) {
  b.first.hi = std::min(b.first.hi, b.second.hi);
  b.second.lo = std::max(b.second.lo, b.first.lo);
  return b;
}

}  // namespace

// Recursive descent over the text; positions in messages count characters
// from 1.
class FilterParser {
 public:
  FilterParser(std::string_view text, std::span<const FilterProperty> properties,
               const FormatSettings& fs)
      : text_(text), properties_(properties), fs_(fs) {}

  Filter Run() {
    filter_.root_ = ParseOr();
    SkipBlanks();
    if (pos_ < text_.size()) Fail("unexpected \"" + std::string(1, text_[pos_]) + "\"", pos_);
    return std::move(filter_);
  }

 private:
  [[noreturn]] void Fail(const std::string& what, std::size_t at) const {
    throw AutomationError("The filter \"" + std::string(text_) + "\" cannot be read: " + what +
                          " at position " + std::to_string(at + 1) + ".");
  }

  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  }

  // The next word when it is one of the keywords, without taking it.
  bool AtKeyword(std::string_view keyword) {
    SkipBlanks();
    std::size_t end = pos_;
    while (end < text_.size() && IsLetter(text_[end])) ++end;
    return SameTextAscii(text_.substr(pos_, end - pos_), keyword);
  }

  int Combine(Filter::Node::Kind kind, int left, int right = -1) {
    Filter::Node node;
    node.kind = kind;
    node.left = left;
    node.right = right;
    return Add(std::move(node));
  }

  int Add(Filter::Node node) {
    filter_.nodes_.push_back(std::move(node));
    return static_cast<int>(filter_.nodes_.size() - 1);
  }

  int ParseOr() {
    int left = ParseAnd();
    while (AtKeyword("or")) {
      pos_ += 2;
      const int right = ParseAnd();
      left = Combine(Filter::Node::Kind::Or, left, right);
    }
    return left;
  }

  int ParseAnd() {
    int left = ParseNot();
    while (AtKeyword("and")) {
      pos_ += 3;
      const int right = ParseNot();
      left = Combine(Filter::Node::Kind::And, left, right);
    }
    return left;
  }

  int ParseNot() {
    if (AtKeyword("not")) {
      pos_ += 3;
      const int operand = ParseNot();
      return Combine(Filter::Node::Kind::Not, operand);
    }
    return ParsePrimary();
  }

  int ParsePrimary() {
    SkipBlanks();
    if (pos_ >= text_.size()) Fail("a condition is missing", pos_);
    if (text_[pos_] == '(') {
      const std::size_t open = pos_++;
      const int inner = ParseOr();
      SkipBlanks();
      if (pos_ >= text_.size() || text_[pos_] != ')') {
        Fail("the parenthesis opened at position " + std::to_string(open + 1) + " is not closed",
             pos_);
      }
      ++pos_;
      return inner;
    }
    if (text_[pos_] == '[') return ParseComparison();
    Fail("a condition \"[Property] operator value\" is expected", pos_);
  }

  int ParseComparison() {
    const std::size_t nameStart = pos_;
    const std::size_t close = text_.find(']', pos_);
    if (close == std::string_view::npos) Fail("the property name is not closed by \"]\"", pos_);
    const std::string_view name = text_.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close + 1;
    Filter::Node node;
    node.kind = Filter::Node::Kind::Compare;
    for (std::size_t i = 0; i < properties_.size(); ++i) {
      if (SameTextAscii(properties_[i].name, name)) {
        node.property = static_cast<int>(i);
        node.type = properties_[i].type;
      }
    }
    if (node.property < 0) Fail("unknown property [" + std::string(name) + "]", nameStart);
    node.op = ParseOperator();
    ParseValue(node, name);
    return Add(std::move(node));
  }

  Filter::Op ParseOperator() {
    SkipBlanks();
    const std::size_t at = pos_;
    const auto next = [&](char c) { return pos_ < text_.size() && text_[pos_] == c; };
    if (next('=')) {
      ++pos_;
      return Filter::Op::Equal;
    }
    if (next('<')) {
      ++pos_;
      if (next('>')) return ++pos_, Filter::Op::NotEqual;
      if (next('=')) return ++pos_, Filter::Op::LessOrEqual;
      return Filter::Op::Less;
    }
    if (next('>')) {
      ++pos_;
      if (next('=')) return ++pos_, Filter::Op::GreaterOrEqual;
      return Filter::Op::Greater;
    }
    Fail("a comparison operator (=, <>, <, <=, >, >=) is expected", at);
  }

  void ParseValue(Filter::Node& node, std::string_view name) {
    SkipBlanks();
    const std::size_t at = pos_;
    if (pos_ >= text_.size()) Fail("a value is missing", pos_);
    const char c = text_[pos_];
    const std::string property = "[" + std::string(name) + "]";
    if (c == '"' || c == '\'') {
      const std::string quoted = ParseQuoted();
      if (node.type == ValueType::Text) {
        node.text = quoted;
      } else if (node.type == ValueType::Date) {
        const auto date = ParseDateTime(quoted, fs_);
        if (!date) {
          Fail("\"" + quoted + "\" is not a date in the short date format followed by a time", at);
        }
        node.date = WallFromAutomation(*date);
      } else {
        Fail(property + " takes " +
                 (node.type == ValueType::Boolean ? "True or False" : "a number") + ", not a text",
             at);
      }
      return;
    }
    if (IsLetter(c)) {
      std::size_t end = pos_;
      while (end < text_.size() && IsLetter(text_[end])) ++end;
      const std::string_view word = text_.substr(pos_, end - pos_);
      const bool isTrue = SameTextAscii(word, "true");
      if (!isTrue && !SameTextAscii(word, "false")) {
        Fail("\"" + std::string(word) + "\" is not a value", at);
      }
      if (node.type != ValueType::Boolean && node.type != ValueType::Number) {
        Fail(property + " cannot be compared with " + std::string(word), at);
      }
      node.number = isTrue ? 1 : 0;
      pos_ = end;
      return;
    }
    if (IsDigit(c) || c == '-' || c == '+' || c == '.') {
      std::size_t end = pos_ + 1;
      while (end < text_.size() && (IsDigit(text_[end]) || text_[end] == '.')) ++end;
      const std::string number(text_.substr(c == '+' ? pos_ + 1 : pos_, end - pos_ - (c == '+')));
      double value = 0;
      const auto [last, error] =
          std::from_chars(number.data(), number.data() + number.size(), value);
      if (error != std::errc() || last != number.data() + number.size()) {
        Fail("\"" + number + "\" is not a number", at);
      }
      if (node.type == ValueType::Boolean) {
        node.number = value != 0 ? 1 : 0;  // automation Booleans: any non-zero value is true
      } else if (node.type == ValueType::Number) {
        node.number = value;
      } else {
        Fail(property + " cannot be compared with a number", at);
      }
      pos_ = end;
      return;
    }
    Fail("a value is expected", at);
  }

  std::string ParseQuoted() {
    const char quote = text_[pos_];
    const std::size_t open = pos_++;
    std::string value;
    while (pos_ < text_.size()) {
      if (text_[pos_] == quote) {
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == quote) {
          value += quote;
          pos_ += 2;
          continue;
        }
        ++pos_;
        return value;
      }
      value += text_[pos_++];
    }
    Fail("the text opened at position " + std::to_string(open + 1) + " is not closed", pos_);
  }

  std::string_view text_;
  std::span<const FilterProperty> properties_;
  const FormatSettings& fs_;
  std::size_t pos_ = 0;
  Filter filter_;
};

Filter Filter::Parse(std::string_view text, std::span<const FilterProperty> properties,
                     const FormatSettings& fs) {
  return FilterParser(text, properties, fs).Run();
}

bool Filter::Matches(const FilterRow& row) const {
  return Evaluate(root_, row);
}

bool Filter::Evaluate(int index, const FilterRow& row) const {
  const Node& node = nodes_[static_cast<std::size_t>(index)];
  switch (node.kind) {
    case Node::Kind::And:
      return Evaluate(node.left, row) && Evaluate(node.right, row);
    case Node::Kind::Or:
      return Evaluate(node.left, row) || Evaluate(node.right, row);
    case Node::Kind::Not:
      return !Evaluate(node.left, row);
    case Node::Kind::Compare:
      break;
  }
  switch (node.type) {
    case ValueType::Date:
      return Compare(node.op, row.DateValue(node.property), node.date);
    case ValueType::Text:
      return CompareText(node.op, row.TextValue(node.property), node.text);
    case ValueType::Boolean:
      return Compare(node.op, row.NumberValue(node.property) != 0 ? 1.0 : 0.0, node.number);
    case ValueType::Number:
      return Compare(node.op, row.NumberValue(node.property), node.number);
  }
  return false;
}

DateBounds Filter::BoundsOf(int first, int second) const {
  return Analyze(root_, first, second);
}

DateBounds Filter::Analyze(int index, int first, int second) const {
  const Node& node = nodes_[static_cast<std::size_t>(index)];
  switch (node.kind) {
    case Node::Kind::And: {
      const DateBounds a = Analyze(node.left, first, second);
      const DateBounds b = Analyze(node.right, first, second);
      return Ordered({Intersect(a.first, b.first), Intersect(a.second, b.second)});
    }
    case Node::Kind::Or: {
      const DateBounds a = Analyze(node.left, first, second);
      const DateBounds b = Analyze(node.right, first, second);
      if (a.Empty()) return b;
      if (b.Empty()) return a;
      return {Hull(a.first, b.first), Hull(a.second, b.second)};
    }
    case Node::Kind::Not:
      return {};  // the negation of a range is no range: nothing is known
    case Node::Kind::Compare:
      break;
  }
  DateBounds bounds;
  if (node.type == ValueType::Date && node.property == first)
    bounds.first = RangeOf(node.op, node.date);
  if (node.type == ValueType::Date && node.property == second) {
    bounds.second = RangeOf(node.op, node.date);
  }
  return Ordered(bounds);
}

}  // namespace lumivane::ical
