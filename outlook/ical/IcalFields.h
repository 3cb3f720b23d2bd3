#pragma once
// Calendar times as libical's field records and back. A wall time (or a UTC
// time) counts seconds since 1970-01-01 00:00 of its civil fields.
#include <libical/ical.h>

#include "outlook/ical/LocalTime.h"

namespace lumivane::ical {

// The fields of a wall time; a date keeps only year, month and day.
icaltimetype FieldsOfWall(WallSeconds wall, bool isDate);
WallSeconds WallOfFields(const icaltimetype& t);

}  // namespace lumivane::ical
