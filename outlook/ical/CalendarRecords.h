#pragma once
// The compact records the server keeps of a source once libical's parse tree
// is gone: texts, local times, and for a series what its expansion needs.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/AutomationDate.h"
#include "base/LargeBlocks.h"
#include "outlook/OutlookContract.h"
#include "outlook/ical/GregorianRule.h"
#include "outlook/ical/IcalTimeZone.h"
#include "outlook/ical/LocalTime.h"
#include "outlook/ical/RecordTexts.h"

namespace lumivane::ical {

// How the wall times of a component are anchored.
struct TimeBase {
  enum class Kind : std::uint8_t { Floating, Utc, Zoned };
  Kind kind = Kind::Floating;
  std::shared_ptr<const IcalTimeZone> zone;  // for Zoned

  // Local automation date of a wall time of this base.
  AutomationDate ToLocal(WallSeconds wall) const;
  // For Floating the wall time stands for itself (no instant).
  UtcSeconds ToUtc(WallSeconds wall) const;
  WallSeconds FromUtc(UtcSeconds utc) const;
};

struct Series;

// Texts are in the source's RecordTexts.
struct Appointment {
  AutomationDate start = 0;  // of the first occurrence for a series
  AutomationDate end = 0;
  bool allDay = false;
  std::uint32_t ordinal = 0;  // > 0 for a later component with the same UID
  TextRef uid;
  TextRef subject;
  TextRef location;
  TextRef categories;              // names joined with ", "
  std::unique_ptr<Series> series;  // null for a single appointment
};

// One occurrence of a series in local time; item is the series' appointment
// or the override that replaced the occurrence.
struct Occurrence {
  AutomationDate start = 0;
  AutomationDate end = 0;
  const Appointment* item = nullptr;
};

// An instance with a RECURRENCE-ID: moved, changed or cancelled.
struct Override {
  WallSeconds recurrenceId = 0;  // in the series' base
  bool dateOnly = false;         // matches the instance of that day
  bool cancelled = false;
  Appointment item;
};

struct ExtraDate {
  WallSeconds start = 0;
  std::int64_t seconds = -1;  // own duration of a PERIOD, -1: the series' duration
};

// An RRULE of a series: its value for libical, and the same read beforehand
// when the native expander takes it.
struct SeriesRule {
  std::string text;
  std::optional<GregorianRule> native;
};

struct Series {
  std::vector<SeriesRule> rules;  // empty when only RDATEs add instances
  WallSeconds dtstart = 0;
  bool isDate = false;
  TimeBase base;
  // Length of each occurrence: nominal days on the wall clock, then exact seconds.
  std::int32_t durationDays = 0;
  std::int64_t durationSeconds = 0;
  std::vector<ExtraDate> rdates;
  std::vector<WallSeconds> exdates;      // instants, in the series' base
  std::vector<std::int64_t> exdateDays;  // whole days (DATE values)
  std::vector<Override> overrides;

  // The last expansion, kept while its wall range is asked for again (a
  // refresh of an unchanged store). Only used on the server's thread.
  struct Memo {
    WallSeconds from = 1;
    WallSeconds to = 0;
    std::vector<Occurrence> occurrences;
  };
  mutable Memo memo;
};

struct Task {
  AutomationDate dueDate = NoDate;
  AutomationDate startDate = NoDate;
  bool complete = false;
  int importance = kImportanceNormal;
  std::uint32_t ordinal = 0;
  TextRef uid;
  TextRef subject;
  TextRef categories;
};

// Everything read from one file.
struct SourceContent {
  RecordTexts texts;
  // Arrays of tens of thousands of records for a large calendar.
  std::vector<Appointment, LargeBlockAllocator<Appointment>> appointments;
  std::vector<Task, LargeBlockAllocator<Task>> tasks;
  // Components left out because their text is over the reader's limits.
  std::size_t skippedItems = 0;
};

// A wall time of one base on the wall clock of another; a floating time
// stays as it is, having no instant.
WallSeconds ConvertWall(const TimeBase& from, const TimeBase& to, WallSeconds wall);

// Local start and end of a span that starts at this wall time and lasts days
// on the wall clock, then seconds. A date span runs from 00:00 of its day in
// local time, whatever the zone.
std::pair<AutomationDate, AutomationDate> LocalSpan(const TimeBase& base, bool isDate,
                                                    WallSeconds wall, std::int32_t days,
                                                    std::int64_t seconds);

// The occurrence of a series that starts at this wall time; ownSeconds is the
// length of an RDATE period (-1: the series' own length).
Occurrence OccurrenceAt(const Series& series, const Appointment& item, WallSeconds wall,
                        std::int64_t ownSeconds = -1);

}  // namespace lumivane::ical
