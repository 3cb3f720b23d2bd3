#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "outlook/ical/IcalLibrary.h"
#include "outlook/ical/RuleText.h"

namespace lumivane::ical {
namespace {

// Where the two structures differ, or "".
std::string Difference(const icalrecurrencetype& a, const icalrecurrencetype& b) {
  if (a.freq != b.freq) return "freq";
  if (a.count != b.count) return "count";
  if (a.interval != b.interval) return "interval";
  if (a.week_start != b.week_start) return "week_start";
  const icaltimetype &x = a.until, &y = b.until;
  if (x.year != y.year || x.month != y.month || x.day != y.day || x.hour != y.hour ||
      x.minute != y.minute || x.second != y.second || x.is_date != y.is_date ||
      x.is_daylight != y.is_daylight || x.zone != y.zone) {
    return "until";
  }
  const auto same = [](const auto& p, const auto& q) { return std::memcmp(p, q, sizeof p) == 0; };
  if (!same(a.by_second, b.by_second) || !same(a.by_minute, b.by_minute) ||
      !same(a.by_hour, b.by_hour) || !same(a.by_year_day, b.by_year_day) ||
      !same(a.by_week_no, b.by_week_no) || !same(a.by_set_pos, b.by_set_pos)) {
    return "an unused list";
  }
  if (!same(a.by_day, b.by_day)) return "by_day";
  if (!same(a.by_month_day, b.by_month_day)) return "by_month_day";
  if (!same(a.by_month, b.by_month)) return "by_month";
  if ((a.rscale == nullptr) != (b.rscale == nullptr) || a.skip != b.skip) return "rscale";
  return "";
}

std::string RandomRule(std::mt19937& random) {
  const auto pick = [&random](int n) {
    return static_cast<int>(random() % static_cast<unsigned>(n));
  };
  static const char* kFreqs[] = {"DAILY", "WEEKLY", "MONTHLY", "YEARLY"};
  static const char* kDays[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
  std::vector<std::string> parts{std::string("FREQ=") + kFreqs[pick(4)]};
  if (pick(2) == 0) parts.push_back("INTERVAL=" + std::to_string(1 + pick(12)));
  switch (pick(4)) {
    case 0:
      parts.push_back("COUNT=" + std::to_string(1 + pick(500)));
      break;
    case 1: {
      char until[48];  // room for any int, as the compiler counts
      std::snprintf(until, sizeof until, "%04d%02d%02d", 1990 + pick(60), 1 + pick(12),
                    1 + pick(28));
      std::string text = until;
      if (pick(3) != 0) {
        std::snprintf(until, sizeof until, "T%02d%02d%02d", pick(24), pick(60), pick(60));
        text += until;
        if (pick(2) == 0) text += "Z";
      }
      parts.push_back("UNTIL=" + text);
      break;
    }
    default:
      break;
  }
  if (pick(2) == 0) {
    std::string list;
    for (int i = 0, n = 1 + pick(4); i < n; ++i) {
      if (!list.empty()) list += ",";
      if (pick(3) == 0) list += std::to_string((pick(2) == 0 ? -1 : 1) * (1 + pick(5)));
      list += kDays[pick(7)];
    }
    parts.push_back("BYDAY=" + list);
  }
  if (pick(3) == 0) {
    std::string list;
    for (int i = 0, n = 1 + pick(3); i < n; ++i) {
      if (!list.empty()) list += ",";
      list += std::to_string((pick(4) == 0 ? -1 : 1) * (1 + pick(31)));
    }
    parts.push_back("BYMONTHDAY=" + list);
  }
  if (pick(3) == 0) {
    std::string list;
    for (int i = 0, n = 1 + pick(3); i < n; ++i) {
      if (!list.empty()) list += ",";
      list += std::to_string(1 + pick(12));
    }
    parts.push_back("BYMONTH=" + list);
  }
  if (pick(4) == 0) parts.push_back(std::string("WKST=") + kDays[pick(7)]);
  std::shuffle(parts.begin() + 1, parts.end(), random);
  if (pick(4) == 0) std::swap(parts.front(), parts.back());  // FREQ need not come first
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : ";") + part;
  return text;
}

TEST(EverydayRule, ReadsEveryGeneratedRuleAsLibicalDoes) {
  EnsureIcalLibraryReady();
  std::mt19937 random(20261208);
  int read = 0;
  for (int i = 0; i < 5000; ++i) {
    const std::string text = RandomRule(random);
    icalrecurrencetype ours;
    if (!ReadEverydayRule(text, ours)) continue;
    ++read;
    icalrecurrencetype theirs = icalrecurrencetype_from_string(text.c_str());
    EXPECT_EQ(Difference(ours, theirs), "") << text;
    std::free(theirs.rscale);
  }
  // Only a rule with both COUNT and UNTIL is left to libical here.
  EXPECT_GT(read, 4000);
}

TEST(EverydayRule, LeavesUnusualFormsToLibical) {
  for (const char* text : {"",
                           "FREQ=DAILY;FREQ=WEEKLY",
                           "freq=daily",
                           "FREQ=DAILY;",
                           "FREQ=HOURLY",
                           "FREQ=DAILY;INTERVAL=0",
                           "FREQ=DAILY;COUNT=3;UNTIL=20270101",
                           "FREQ=WEEKLY;BYDAY=+1MO",
                           "FREQ=MONTHLY;BYDAY=6MO",
                           "FREQ=MONTHLY;BYMONTHDAY=0",
                           "FREQ=MONTHLY;BYMONTHDAY=32",
                           "FREQ=YEARLY;BYMONTH=13",
                           "FREQ=YEARLY;BYMONTH=5L",
                           "FREQ=DAILY;UNTIL=20270230",
                           "FREQ=DAILY;UNTIL=20270101T240000",
                           "FREQ=DAILY;UNTIL=2027-01-01",
                           "FREQ=DAILY;BYSETPOS=1",
                           "FREQ=DAILY;BYHOUR=9",
                           "FREQ=DAILY; INTERVAL=2",
                           "FREQ=WEEKLY;BYDAY=MO,,TU",
                           "RSCALE=GREGORIAN;FREQ=YEARLY",
                           "FREQ=DAILY;X-NAME=1",
                           "INTERVAL=2"}) {
    icalrecurrencetype rule;
    EXPECT_FALSE(ReadEverydayRule(text, rule)) << text;
  }
}

}  // namespace
}  // namespace lumivane::ical
