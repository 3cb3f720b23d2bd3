#pragma once
// Restriction filter texts as Find takes them, read once and then evaluated
// against item after item:
//
//   [Property] op value        op: = <> < <= > >=, blanks optional
//   value: "text" or 'text' (a doubled quote stands for itself), a date as
//          "<short date> <time>" in the user's formats, True, False, a number
//   And, Or, Not in any letter case, parentheses; Not binds before And,
//   And before Or.
//
// Which kind of value a property takes comes from the folder's property list.
// Texts compare without regard to the case of ASCII letters, dates to the
// second.
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/FormatSettings.h"
#include "outlook/ical/LocalTime.h"

namespace lumivane::ical {

enum class ValueType : std::uint8_t { Date, Text, Boolean, Number };

struct FilterProperty {
  std::string_view name;  // without brackets
  ValueType type;
};

// One item as the filter sees it; property is an index into the property list.
class FilterRow {
 public:
  virtual ~FilterRow() = default;
  virtual WallSeconds DateValue(int property) const = 0;  // local wall seconds
  virtual std::string_view TextValue(int property) const = 0;
  virtual double NumberValue(int property) const = 0;  // Booleans as 0 and 1
};

// A closed range of local wall seconds.
struct WallRange {
  WallSeconds lo = std::numeric_limits<WallSeconds>::min();
  WallSeconds hi = std::numeric_limits<WallSeconds>::max();
  bool Empty() const { return lo > hi; }
  bool Contains(WallSeconds t) const { return t >= lo && t <= hi; }
};

// Ranges that two date properties a <= b (start and end) of every matching
// item lie in.
struct DateBounds {
  WallRange first;
  WallRange second;
  bool Empty() const { return first.Empty() || second.Empty(); }
};

class Filter {
 public:
  // AutomationError naming the place when the text cannot be read, names an
  // unknown property or holds a value of the wrong kind.
  static Filter Parse(std::string_view text, std::span<const FilterProperty> properties,
                      const FormatSettings& fs);

  bool Matches(const FilterRow& row) const;

  // What the filter implies for two date properties whose values are ordered
  // (first <= second in every item): a match has its first property inside
  // bounds.first and its second inside bounds.second. Bounds are never
  // tighter than the filter, so they serve to skip work, not to decide.
  DateBounds BoundsOf(int first, int second) const;

  enum class Op : std::uint8_t { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };
  struct Node {
    enum class Kind : std::uint8_t { And, Or, Not, Compare } kind = Kind::Compare;
    int left = -1;  // operands of And, Or; Not uses left
    int right = -1;
    int property = -1;
    Op op = Op::Equal;
    ValueType type = ValueType::Text;
    WallSeconds date = 0;
    double number = 0;
    std::string text;
  };

 private:
  bool Evaluate(int node, const FilterRow& row) const;
  DateBounds Analyze(int node, int first, int second) const;

  std::vector<Node> nodes_;
  int root_ = -1;

  friend class FilterParser;
};

}  // namespace lumivane::ical
