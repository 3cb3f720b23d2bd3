#pragma once
// A reader of RRULE values in their everyday form ("FREQ=WEEKLY;UNTIL=
// 20270101T000000Z;BYDAY=MO,TH"), filling libical's rule structure exactly
// as libical's own parser would. That parser costs more than expanding the
// rule natively; a store of 50,000 items reads thousands of rules at every
// start. Anything unusual (lower case, unknown or repeated parts, values out
// of the everyday ranges) is left to libical.
#include <string_view>

struct icalrecurrencetype;

namespace lumivane::ical {

// True when `text` is in the everyday form and `rule` now holds it; false
// (with `rule` unspecified) when libical must read it.
bool ReadEverydayRule(std::string_view text, icalrecurrencetype& rule);

}  // namespace lumivane::ical
