#pragma once
// The one place that walks recurrence rules with libical (its next major
// version changes this interface). Everything runs on wall times: a rule
// repeats on the wall clock of its series' zone.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "outlook/ical/LocalTime.h"

namespace lumivane::ical {

inline constexpr WallSeconds kNoLowerBound = std::numeric_limits<WallSeconds>::min();
inline constexpr WallSeconds kNoUpperBound = std::numeric_limits<WallSeconds>::max();

// True when libical reads the RRULE value as a rule with a frequency.
bool IsValidRule(std::string_view rule);

struct RuleLimits {
  // Instances handed back at most (a bound for rules without an end).
  std::size_t maxInstances = 1000;
  // Steps of the walk at most, whatever the rule says.
  std::size_t maxSteps = 200000;
};

// Start wall times, in order, of the instances of the rule with this DTSTART
// that lie in [from, to]. wallFromUtc turns an UNTIL in UTC into the series'
// wall clock. Common Gregorian rules are expanded natively (GregorianRule.h),
// the others with libical.
std::vector<WallSeconds> ExpandRule(std::string_view rule, WallSeconds dtstart, bool isDate,
                                    WallSeconds from, WallSeconds to,
                                    const std::function<WallSeconds(UtcSeconds)>& wallFromUtc,
                                    RuleLimits limits = {});

// The two ways ExpandRule has, each on its own, so they can be compared:
// libical's walk for any rule, and the native expansion, std::nullopt for a
// rule or DTSTART it leaves to libical.
std::vector<WallSeconds> ExpandWithLibical(
    std::string_view rule, WallSeconds dtstart, bool isDate, WallSeconds from, WallSeconds to,
    const std::function<WallSeconds(UtcSeconds)>& wallFromUtc, RuleLimits limits = {});
std::optional<std::vector<WallSeconds>> ExpandRuleNatively(
    std::string_view rule, WallSeconds dtstart, bool isDate, WallSeconds from, WallSeconds to,
    const std::function<WallSeconds(UtcSeconds)>& wallFromUtc, RuleLimits limits = {});

}  // namespace lumivane::ical
