#pragma once
// The occurrences of a recurring appointment: RRULE and RDATE instances less
// EXDATEs, with the instances that have a RECURRENCE-ID replaced by their
// override, or dropped when the override is cancelled (libical's own
// expansion leaves both to its caller).
#include <vector>

#include "outlook/ical/CalendarRecords.h"
#include "outlook/ical/IcalRecurrence.h"

namespace lumivane::ical {

// Occurrences whose start lies in [from, to] on the series' wall clock, and
// every override that is not cancelled, in start order. Kept in the series'
// memo while the same range is asked for again.
const std::vector<Occurrence>& ExpandSeries(const Appointment& item, WallSeconds from,
                                            WallSeconds to);

}  // namespace lumivane::ical
