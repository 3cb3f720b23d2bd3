#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "outlook/ical/CalendarLayout.h"

namespace lumivane::ical {
namespace {

using ::testing::ElementsAre;

TEST(CalendarLayoutTest, SplitsCalendarsIntoZonesAndItems) {
  const std::string text =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
      "BEGIN:VTIMEZONE\r\nTZID:X\r\nBEGIN:STANDARD\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
      "BEGIN:VEVENT\r\nUID:1\r\nBEGIN:VALARM\r\nEND:VALARM\r\nEND:VEVENT\r\n"
      "END:VCALENDAR\r\n"
      "begin:vcalendar\n"
      "begin:vtodo\nUID:2\nend:vtodo \n"
      "BEGIN:VJOURNAL\nEND:VJOURNAL\n"
      "END:VCALENDAR";
  const CalendarLayout layout = ScanCalendar(text);
  EXPECT_TRUE(layout.plain);
  EXPECT_THAT(layout.zones, ElementsAre("BEGIN:VTIMEZONE\r\nTZID:X\r\nBEGIN:STANDARD\r\n"
                                        "END:STANDARD\r\nEND:VTIMEZONE\r\n"));
  EXPECT_THAT(layout.items,
              ElementsAre("BEGIN:VEVENT\r\nUID:1\r\nBEGIN:VALARM\r\nEND:VALARM\r\nEND:VEVENT\r\n",
                          "begin:vtodo\nUID:2\nend:vtodo \n", "BEGIN:VJOURNAL\nEND:VJOURNAL\n"));
  EXPECT_EQ(layout.events, 1u);
  EXPECT_EQ(layout.tasks, 1u);
}

TEST(CalendarLayoutTest, AnythingUnusualIsNotPlain) {
  EXPECT_FALSE(ScanCalendar("Shopping list\n- milk\n").plain);
  EXPECT_FALSE(ScanCalendar("BEGIN:VEVENT\r\nEND:VEVENT\r\n").plain);       // no calendar around
  EXPECT_FALSE(ScanCalendar("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n").plain);  // cut short
  EXPECT_FALSE(ScanCalendar("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\nEND:VEVENT\r\n").plain);
  EXPECT_FALSE(ScanCalendar("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n").plain);
}

}  // namespace
}  // namespace lumivane::ical
