#include "outlook/ical/IcalFields.h"

#include <ctime>

namespace lumivane::ical {

icaltimetype FieldsOfWall(WallSeconds wall, bool isDate) {
  const auto t = static_cast<time_t>(wall);
  std::tm fields{};
  gmtime_r(&t, &fields);
  icaltimetype result = icaltime_null_time();
  result.year = fields.tm_year + 1900;
  result.month = fields.tm_mon + 1;
  result.day = fields.tm_mday;
  if (isDate) {
    result.is_date = 1;
  } else {
    result.hour = fields.tm_hour;
    result.minute = fields.tm_min;
    result.second = fields.tm_sec;
  }
  return result;
}

WallSeconds WallOfFields(const icaltimetype& t) {
  return WallFromFields(t.year, t.month, t.day, t.is_date ? 0 : t.hour, t.is_date ? 0 : t.minute,
                        t.is_date ? 0 : t.second);
}

}  // namespace lumivane::ical
