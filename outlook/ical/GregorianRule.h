#pragma once
// A recurrence expander of our own for the everyday Gregorian rules. libical
// runs each step of a rule through a calendar library and costs far more per
// instance than a rule like "weekly on Monday and Thursday" deserves; the
// rules this file takes on are expanded with day arithmetic and give the same
// instances as libical. Anything else stays with libical.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "outlook/ical/IcalRecurrence.h"
#include "outlook/ical/LocalTime.h"

namespace lumivane::ical {

enum class RuleFrequency { kDaily, kWeekly, kMonthly, kYearly };

// The parts of a rule, read as they stand. Weekdays count from Monday = 0.
struct GregorianRule {
  RuleFrequency frequency = RuleFrequency::kDaily;
  int interval = 1;
  // 0 when the rule has no COUNT.
  std::int64_t count = 0;
  // UNTIL, on the wall clock of the series.
  WallSeconds until = kNoUpperBound;
  int weekStart = 0;
  // BYDAY without an ordinal: bit n for weekday n.
  std::uint8_t weekdays = 0;
  // BYDAY with an ordinal: for weekday n, bit k of fromFirst[n] stands for
  // "kth of the month" and bit k of fromLast[n] for "kth from the end" (k 1-5).
  std::array<std::uint8_t, 7> fromFirst{};
  std::array<std::uint8_t, 7> fromLast{};
  // BYMONTHDAY: bit d for day d, and bit d of lastMonthDays for day -d.
  std::uint32_t monthDays = 0;
  std::uint32_t lastMonthDays = 0;
  // BYMONTH: bit m for month m (1-12).
  std::uint16_t months = 0;

  bool HasOrdinals() const;
  bool HasByDay() const { return weekdays != 0 || HasOrdinals(); }
  bool HasByMonthDay() const { return monthDays != 0 || lastMonthDays != 0; }
};

// The start wall times, in order, of the instances in [from, to], at most
// limits.maxInstances of them; std::nullopt when the rule or DTSTART is one
// that is left to libical: parts outside the set above, ordinals other than
// in a month, a DTSTART that is not itself an instance of the rule, and
// DTSTARTs outside the years the Gregorian calendar holds throughout
// (1583-2582, the same last year as libical's).
std::optional<std::vector<WallSeconds>> ExpandNatively(const GregorianRule& rule,
                                                       WallSeconds dtstart, bool isDate,
                                                       WallSeconds from, WallSeconds to,
                                                       RuleLimits limits = {});

// An RRULE value of a series read once into the form above, UNTIL put on the
// series' wall clock as ExpandRule puts it; std::nullopt when the rule has no
// frequency or a part that only libical takes. Expanding it natively gives
// what ExpandRule gives for the text, whenever ExpandNatively gives anything.
std::optional<GregorianRule> ReadNativeRule(
    std::string_view rule, bool isDate, const std::function<WallSeconds(UtcSeconds)>& wallFromUtc);

}  // namespace lumivane::ical
