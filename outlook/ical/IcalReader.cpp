#include "outlook/ical/IcalReader.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "outlook/AutomationError.h"
#include "outlook/ical/CalendarLayout.h"
#include "outlook/ical/IcalLibrary.h"
#include "outlook/ical/IcalRecurrence.h"
#include "outlook/ical/IcalTextScreen.h"

namespace lumivane::ical {
namespace {

struct ComponentDeleter {
  void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Tree = std::unique_ptr<icalcomponent, ComponentDeleter>;

// Where the text starts after a UTF-8 byte order mark.
std::size_t TextStart(std::string_view text) {
  return text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
}

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

// text is NUL-terminated from its start (libical reads a C string).
Tree Parse(const char* text, const std::string& fileName) {
  EnsureIcalLibraryReady();
  Tree root(icalparser_parse_string(text));
  const icalcomponent_kind kind = root ? icalcomponent_isa(root.get()) : ICAL_NO_COMPONENT;
  if (kind == ICAL_NO_COMPONENT || kind == ICAL_X_COMPONENT) {
    throw AutomationError("The file \"" + fileName +
                          "\" in the calendar store is not an iCalendar file.");
  }
  return root;
}

// The components that hold items: the children of every VCALENDAR, or a bare
// VEVENT or VTODO written without one.
std::vector<icalcomponent*> Calendars(icalcomponent* root) {
  std::vector<icalcomponent*> calendars;
  switch (icalcomponent_isa(root)) {
    case ICAL_XROOT_COMPONENT:
      for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT);
           c != nullptr; c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT)) {
        calendars.push_back(c);
      }
      break;
    default:
      calendars.push_back(root);
  }
  return calendars;
}

template <typename Visit>
void ForEachChild(icalcomponent* calendar, icalcomponent_kind kind, Visit visit) {
  if (icalcomponent_isa(calendar) == kind) {
    visit(calendar);
    return;
  }
  for (icalcomponent* c = icalcomponent_get_first_component(calendar, kind); c != nullptr;
       c = icalcomponent_get_next_component(calendar, kind)) {
    visit(c);
  }
}

const char* TextOr(const char* text) {
  return text != nullptr ? text : "";
}

std::string_view UidOf(icalcomponent* component) {
  icalproperty* uid = icalcomponent_get_first_property(component, ICAL_UID_PROPERTY);
  return uid != nullptr ? TextOr(icalproperty_get_uid(uid)) : "";
}

bool HasRecurrenceId(icalcomponent* component) {
  return icalcomponent_get_first_property(component, ICAL_RECURRENCEID_PROPERTY) != nullptr;
}

// A time as read: its wall clock, whether it is a date, and its anchor.
struct ReadTime {
  WallSeconds wall = 0;
  bool isDate = false;
  TimeBase base;
};

// The zones of one file: the system's by name, else the file's VTIMEZONEs.
class FileZones {
 public:
  explicit FileZones(ZoneCache& cache) : cache_(cache) {}

  // Definitions become zones only when a time needs one (most TZIDs are names
  // the system knows).
  void AddDefinitions(icalcomponent* calendar) {
    for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT);
         c != nullptr; c = icalcomponent_get_next_component(calendar, ICAL_VTIMEZONE_COMPONENT)) {
      icalproperty* tzid = icalcomponent_get_first_property(c, ICAL_TZID_PROPERTY);
      if (tzid != nullptr) definitions_.emplace(TextOr(icalproperty_get_tzid(tzid)), c);
    }
  }

  TimeBase BaseOf(icalproperty* property, const icaltimetype& time) {
    TimeBase base;
    if (time.is_date) return base;
    if (icaltime_is_utc(time)) {
      base.kind = TimeBase::Kind::Utc;
      return base;
    }
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    if (tzid == nullptr) return base;
    // A name the system's zone data knows (Olson, or Windows through CLDR)
    // takes that zone, with its full history; the file's own definition
    // serves for other names.
    const std::string_view name = TextOr(icalparameter_get_tzid(tzid));
    base.zone = cache_.ByName(name);
    if (!base.zone) base.zone = Defined(name);
    // A zone nobody knows leaves the time as written, in local time.
    if (base.zone) base.kind = TimeBase::Kind::Zoned;
    return base;
  }

 private:
  std::shared_ptr<const IcalTimeZone> Defined(std::string_view name) {
    const auto found = definitions_.find(name);
    if (found == definitions_.end()) return nullptr;
    if (const auto known = defined_.find(name); known != defined_.end()) return known->second;
    auto zone = cache_.FromDefinition(found->second);
    // The name is copied: it points into an item's tree, which a large file
    // frees part by part.
    defined_.emplace(std::string(name), zone);
    return zone;
  }

  ZoneCache& cache_;
  std::map<std::string_view, icalcomponent*> definitions_;  // views into the parse tree
  std::map<std::string, std::shared_ptr<const IcalTimeZone>, std::less<>> defined_;
};

std::optional<WallSeconds> WallOf(const icaltimetype& t) {
  if (icaltime_is_null_time(t) || !IsValidCivilDate(t.year, t.month, t.day)) return std::nullopt;
  if (t.is_date) return WallFromFields(t.year, t.month, t.day, 0, 0, 0);
  if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 60) {
    return std::nullopt;
  }
  return WallFromFields(t.year, t.month, t.day, t.hour, t.minute, std::min(t.second, 59));
}

// nullopt for a broken value.
std::optional<ReadTime> TimeOf(icalproperty* property, const icaltimetype& time, FileZones& zones) {
  const auto wall = WallOf(time);
  if (!wall) return std::nullopt;
  return ReadTime{*wall, time.is_date != 0, zones.BaseOf(property, time)};
}

std::int64_t SecondsOf(const icaldurationtype& d) {
  return static_cast<std::int64_t>(d.hours) * 3600 + static_cast<std::int64_t>(d.minutes) * 60 +
         d.seconds;
}

// The local date (at 00:00) of a task's date; its time of day is dropped.
AutomationDate LocalDateOf(const ReadTime& time) {
  WallSeconds local = time.wall;
  if (!time.isDate && time.base.kind != TimeBase::Kind::Floating) {
    local = LocalWallFromUtc(time.base.ToUtc(time.wall));
  }
  return AutomationFromWall(DayOfWall(local) * kSecondsPerDay);
}

// The properties of one component, gathered in one pass.
struct Fields {
  icalproperty* dtstart = nullptr;
  icalproperty* dtend = nullptr;
  icalproperty* due = nullptr;
  icalproperty* duration = nullptr;
  icalproperty* recurrenceId = nullptr;
  const char* uid = "";
  const char* summary = nullptr;
  const char* location = nullptr;
  std::string categories;
  bool hasCategories = false;
  bool cancelled = false;
  bool completed = false;
  bool brokenTime = false;  // libical dropped a property that places the item in time
  int priority = 0;
  std::vector<icalproperty*> rrules;
  std::vector<icalproperty*> rdates;
  std::vector<icalproperty*> exdates;
};

// libical replaces a property whose value it cannot read by an X-LIC-ERROR
// that names it ("... in RRULE property. Removing entire property: ...").
// A broken RDATE or EXDATE costs only its own date (the lists are split one
// date a line before parsing); the item still stands.
bool DropsATime(std::string_view error) {
  static constexpr std::string_view kTimed[] = {"DTSTART", "DTEND", "DURATION",
                                                "DUE",     "RRULE", "RECURRENCE-ID"};
  return std::any_of(std::begin(kTimed), std::end(kTimed), [error](std::string_view name) {
    return error.find(" in " + std::string(name) + " property") != std::string_view::npos;
  });
}

Fields FieldsOf(icalcomponent* component) {
  Fields f;
  for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_ANY_PROPERTY);
       p != nullptr; p = icalcomponent_get_next_property(component, ICAL_ANY_PROPERTY)) {
    switch (icalproperty_isa(p)) {
      case ICAL_DTSTART_PROPERTY:
        f.dtstart = p;
        break;
      case ICAL_DTEND_PROPERTY:
        f.dtend = p;
        break;
      case ICAL_DUE_PROPERTY:
        f.due = p;
        break;
      case ICAL_DURATION_PROPERTY:
        f.duration = p;
        break;
      case ICAL_RECURRENCEID_PROPERTY:
        f.recurrenceId = p;
        break;
      case ICAL_UID_PROPERTY:
        f.uid = TextOr(icalproperty_get_uid(p));
        break;
      case ICAL_SUMMARY_PROPERTY:
        f.summary = TextOr(icalproperty_get_summary(p));
        break;
      case ICAL_LOCATION_PROPERTY:
        f.location = TextOr(icalproperty_get_location(p));
        break;
      case ICAL_CATEGORIES_PROPERTY: {
        // libical gives each name its own property; the item shows them in one text.
        f.hasCategories = true;
        const std::string_view name = TextOr(icalproperty_get_categories(p));
        if (name.empty()) break;
        if (!f.categories.empty()) f.categories += ", ";
        f.categories += name;
        break;
      }
      case ICAL_STATUS_PROPERTY: {
        const icalproperty_status status = icalproperty_get_status(p);
        f.cancelled = status == ICAL_STATUS_CANCELLED;
        f.completed = f.completed || status == ICAL_STATUS_COMPLETED;
        break;
      }
      case ICAL_COMPLETED_PROPERTY:
        f.completed = true;
        break;
      case ICAL_PRIORITY_PROPERTY:
        f.priority = icalproperty_get_priority(p);
        break;
      case ICAL_RRULE_PROPERTY:
        f.rrules.push_back(p);
        break;
      case ICAL_RDATE_PROPERTY:
        f.rdates.push_back(p);
        break;
      case ICAL_EXDATE_PROPERTY:
        f.exdates.push_back(p);
        break;
      case ICAL_XLICERROR_PROPERTY:
        f.brokenTime = f.brokenTime || DropsATime(TextOr(icalproperty_get_xlicerror(p)));
        break;
      default:
        break;
    }
  }
  return f;
}

struct Span {
  std::int32_t days = 0;
  std::int64_t seconds = 0;
};

// The length of an event after RFC 5545: DTEND, else DURATION, else a day
// for a date and nothing for a date-time. nullopt for a broken end.
std::optional<Span> SpanOf(const Fields& f, const ReadTime& start, FileZones& zones) {
  Span span;
  if (f.dtend != nullptr) {
    const auto end = TimeOf(f.dtend, icalproperty_get_dtend(f.dtend), zones);
    if (!end) return std::nullopt;
    if (start.isDate) {
      span.days = static_cast<std::int32_t>(DayOfWall(end->wall) - DayOfWall(start.wall));
    } else {
      const WallSeconds endWall = ConvertWall(end->base, start.base, end->wall);
      // Exact seconds between the two instants (both on the start's clock).
      span.seconds = start.base.ToUtc(endWall) - start.base.ToUtc(start.wall);
      if (start.base.kind == TimeBase::Kind::Floating) span.seconds = endWall - start.wall;
    }
  } else if (f.duration != nullptr) {
    const icaldurationtype d = icalproperty_get_duration(f.duration);
    if (icaldurationtype_is_bad_duration(d)) return std::nullopt;
    if (!d.is_neg) {
      span.days = static_cast<std::int32_t>(d.weeks * 7 + d.days);
      span.seconds = SecondsOf(d);
    }
  } else if (start.isDate) {
    span.days = 1;
  }
  if (start.isDate) {
    span.days = std::max(span.days, 1);  // an all-day event covers at least its day
    span.seconds = 0;
  }
  span.seconds = std::max<std::int64_t>(span.seconds, 0);
  if (span.days < 0) span.days = 0;
  return span;
}

// Fills in the series of a master; false when a rule or date is broken.
bool ReadSeries(const Fields& f, const ReadTime& start, const Span& span, FileZones& zones,
                Series& series) {
  series.dtstart = start.wall;
  series.isDate = start.isDate;
  series.base = start.base;
  series.durationDays = span.days;
  series.durationSeconds = span.seconds;
  const auto wallFromUtc = [&series](UtcSeconds utc) { return series.base.FromUtc(utc); };
  for (icalproperty* p : f.rrules) {
    const char* rule = icalproperty_get_value_as_string(p);
    if (rule == nullptr) return false;
    // A rule the native expander takes is valid; the others must read with libical.
    std::optional<GregorianRule> native = ReadNativeRule(rule, series.isDate, wallFromUtc);
    if (!native && !IsValidRule(rule)) return false;
    series.rules.push_back({rule, std::move(native)});
  }
  for (icalproperty* p : f.rdates) {
    const icaldatetimeperiodtype value = icalproperty_get_rdate(p);
    const bool isPeriod = !icaltime_is_null_time(value.period.start);
    const auto time = TimeOf(p, isPeriod ? value.period.start : value.time, zones);
    if (!time) continue;  // a date that cannot be read adds nothing
    ExtraDate extra{ConvertWall(time->base, start.base, time->wall), -1};
    if (start.isDate) extra.start = DayOfWall(time->wall) * kSecondsPerDay;
    if (isPeriod && !icaltime_is_null_time(value.period.end)) {
      const auto end = TimeOf(p, value.period.end, zones);
      if (!end) continue;
      extra.seconds =
          std::max<std::int64_t>(0, time->base.ToUtc(end->wall) - time->base.ToUtc(time->wall));
    } else if (isPeriod) {
      extra.seconds = icaldurationtype_as_int(value.period.duration);
    }
    series.rdates.push_back(extra);
  }
  for (icalproperty* p : f.exdates) {
    const auto time = TimeOf(p, icalproperty_get_exdate(p), zones);
    if (!time) continue;  // an exception that cannot be read excludes nothing
    if (time->isDate || start.isDate) {
      series.exdateDays.push_back(DayOfWall(time->wall));
    } else {
      series.exdates.push_back(ConvertWall(time->base, start.base, time->wall));
    }
  }
  return true;
}

// The texts of a component, copied out of the parse tree into the source's
// texts; a text the component does not have is taken from its series.
struct Texts {
  std::optional<TextRef> subject;
  std::optional<TextRef> location;
  std::optional<TextRef> categories;
};

Texts TextsOf(const Fields& f, RecordTexts& texts) {
  Texts refs;
  if (f.summary != nullptr) refs.subject = texts.Add(f.summary);
  if (f.location != nullptr) refs.location = texts.Add(f.location);
  if (f.hasCategories) refs.categories = texts.Add(f.categories);
  return refs;
}

void TakeTexts(const Texts& texts, Appointment& item) {
  if (texts.subject) item.subject = *texts.subject;
  if (texts.location) item.location = *texts.location;
  if (texts.categories) item.categories = *texts.categories;
}

// A VEVENT with a RECURRENCE-ID, kept (copied out of its parse tree) until
// its series is known. Its texts are added when it is read, so that none is
// added while the series are looked up by their UIDs.
struct PendingOverride {
  TextRef uid;
  Texts texts;
  bool cancelled = false;
  ReadTime recurrenceId;
  std::optional<ReadTime> start;
  std::optional<Span> span;  // from its own DTEND or DURATION
};

class Reader {
 public:
  explicit Reader(ZoneCache& cache) : zones_(cache) {}

  // A whole parse tree at once.
  SourceContent Read(icalcomponent* root) {
    const std::vector<icalcomponent*> calendars = Calendars(root);
    for (icalcomponent* calendar : calendars) AddZones(calendar);
    for (icalcomponent* calendar : calendars) ReadItems(calendar);
    return Finish();
  }

  // The VTIMEZONEs of a calendar, which must stay alive until Finish.
  void AddZones(icalcomponent* calendar) { zones_.AddDefinitions(calendar); }

  // The VEVENTs and VTODOs of a calendar; nothing is kept of its tree.
  void ReadItems(icalcomponent* calendar) {
    ForEachChild(calendar, ICAL_VEVENT_COMPONENT, [this](icalcomponent* c) { ReadEvent(c); });
    ForEachChild(calendar, ICAL_VTODO_COMPONENT, [this](icalcomponent* c) { ReadTask(c); });
  }

  void Reserve(std::size_t events, std::size_t tasks) {
    content_.appointments.reserve(events);
    content_.tasks.reserve(tasks);
  }

  SourceContent Finish() {
    AttachOverrides();
    content_.texts.Trim();
    return std::move(content_);
  }

 private:
  void ReadEvent(icalcomponent* component) {
    Fields f = FieldsOf(component);
    if (f.recurrenceId != nullptr) {
      ReadOverride(f);
      return;
    }
    // Ordinals count every component with the UID, readable or not, so that
    // the same count finds the component again in the file.
    const std::uint32_t ordinal = eventOrdinals_[f.uid]++;
    if (f.cancelled) cancelledSeries_.insert(f.uid);  // its moved instances go with it
    if (f.cancelled || f.brokenTime || f.dtstart == nullptr) return;
    const auto start = TimeOf(f.dtstart, icalproperty_get_dtstart(f.dtstart), zones_);
    if (!start) return;
    const auto span = SpanOf(f, *start, zones_);
    if (!span) return;

    Appointment item;
    item.uid = content_.texts.Add(f.uid);
    item.ordinal = ordinal;
    item.allDay = start->isDate;
    TakeTexts(TextsOf(f, content_.texts), item);
    std::tie(item.start, item.end) =
        LocalSpan(start->base, start->isDate, start->wall, span->days, span->seconds);
    if (!f.rrules.empty() || !f.rdates.empty()) {
      item.series = std::make_unique<Series>();
      if (!ReadSeries(f, *start, *span, zones_, *item.series)) return;
    }
    content_.appointments.push_back(std::move(item));
  }

  void ReadOverride(const Fields& f) {
    if (f.brokenTime) return;
    const auto recurrenceId =
        TimeOf(f.recurrenceId, icalproperty_get_recurrenceid(f.recurrenceId), zones_);
    if (!recurrenceId) return;
    PendingOverride pending;
    pending.cancelled = f.cancelled;
    pending.recurrenceId = *recurrenceId;
    if (f.dtstart != nullptr) {
      pending.start = TimeOf(f.dtstart, icalproperty_get_dtstart(f.dtstart), zones_);
      if (!pending.start) return;
    }
    if (f.dtend != nullptr || f.duration != nullptr) {
      pending.span = SpanOf(f, pending.start.value_or(*recurrenceId), zones_);
      if (!pending.span) return;
    }
    pending.uid = content_.texts.Add(f.uid);
    pending.texts = TextsOf(f, content_.texts);
    overrides_.push_back(pending);
  }

  void AttachOverrides() {
    const RecordTexts& texts = content_.texts;  // no text is added from here on
    std::unordered_map<std::string_view, Appointment*> masters;
    for (Appointment& item : content_.appointments) {
      if (item.series && item.ordinal == 0) masters.emplace(texts[item.uid], &item);
    }
    std::vector<Appointment> orphans;
    for (PendingOverride& pending : overrides_) {
      const std::string_view uid = texts[pending.uid];
      const auto found = masters.find(uid);
      Appointment* master = found != masters.end() ? found->second : nullptr;
      if (master == nullptr) {
        // An instance without its series (an invitation to one occurrence):
        // an appointment of its own, unless the series was called off.
        if (cancelledSeries_.count(std::string(uid)) != 0) continue;
        if (auto item = Standalone(pending)) orphans.push_back(std::move(*item));
        continue;
      }
      Series& series = *master->series;
      Override entry;
      entry.dateOnly = pending.recurrenceId.isDate || series.isDate;
      entry.recurrenceId = entry.dateOnly ? DayOfWall(pending.recurrenceId.wall) * kSecondsPerDay
                                          : ConvertWall(pending.recurrenceId.base, series.base,
                                                        pending.recurrenceId.wall);
      entry.cancelled = pending.cancelled;
      if (!entry.cancelled && !FillOverride(pending, *master, entry)) continue;
      series.overrides.push_back(std::move(entry));
    }
    for (Appointment& orphan : orphans) content_.appointments.push_back(std::move(orphan));
  }

  // The moved or changed instance: its own times, the series' length and texts
  // where it has none of its own.
  static bool FillOverride(const PendingOverride& pending, const Appointment& master,
                           Override& entry) {
    const Series& series = *master.series;
    Appointment& item = entry.item;
    item.uid = master.uid;
    item.ordinal = master.ordinal;
    item.subject = master.subject;
    item.location = master.location;
    item.categories = master.categories;
    TakeTexts(pending.texts, item);
    const ReadTime start =
        pending.start.value_or(ReadTime{pending.recurrenceId.wall, series.isDate, series.base});
    item.allDay = start.isDate;
    Span span{series.durationDays, series.durationSeconds};
    if (pending.span) {
      span = *pending.span;
    } else if (start.isDate != series.isDate) {
      span = start.isDate ? Span{1, 0} : Span{0, 0};
    }
    std::tie(item.start, item.end) =
        LocalSpan(start.base, start.isDate, start.wall, span.days, span.seconds);
    return true;
  }

  static std::optional<Appointment> Standalone(const PendingOverride& pending) {
    if (pending.cancelled) return std::nullopt;
    const ReadTime start = pending.start.value_or(pending.recurrenceId);
    const Span span = pending.span.value_or(start.isDate ? Span{1, 0} : Span{0, 0});
    Appointment item;
    item.uid = pending.uid;
    item.allDay = start.isDate;
    TakeTexts(pending.texts, item);
    std::tie(item.start, item.end) =
        LocalSpan(start.base, start.isDate, start.wall, span.days, span.seconds);
    return item;
  }

  void ReadTask(icalcomponent* component) {
    const Fields f = FieldsOf(component);
    // Recurring tasks are listed once, by their first component; an
    // instance of one (RECURRENCE-ID) is no task of its own.
    if (f.recurrenceId != nullptr) return;
    const std::uint32_t ordinal = taskOrdinals_[f.uid]++;
    if (f.cancelled || f.brokenTime) return;
    Task task;
    task.ordinal = ordinal;
    task.complete = f.completed;
    task.importance = f.priority >= 1 && f.priority <= 4   ? kImportanceHigh
                      : f.priority >= 6 && f.priority <= 9 ? kImportanceLow
                                                           : kImportanceNormal;
    std::optional<ReadTime> start;
    if (f.dtstart != nullptr) {
      start = TimeOf(f.dtstart, icalproperty_get_dtstart(f.dtstart), zones_);
      if (!start) return;
      task.startDate = LocalDateOf(*start);
    }
    if (f.due != nullptr) {
      const auto due = TimeOf(f.due, icalproperty_get_due(f.due), zones_);
      if (!due) return;
      task.dueDate = LocalDateOf(*due);
    } else if (start && f.duration != nullptr) {
      // DTSTART with DURATION stands for the due date.
      const icaldurationtype d = icalproperty_get_duration(f.duration);
      if (!icaldurationtype_is_bad_duration(d) && !d.is_neg) {
        ReadTime due = *start;
        due.wall += static_cast<std::int64_t>(d.weeks * 7 + d.days) * kSecondsPerDay + SecondsOf(d);
        task.dueDate = LocalDateOf(due);
      }
    }
    task.uid = content_.texts.Add(f.uid);
    task.subject = content_.texts.Add(TextOr(f.summary));
    task.categories = content_.texts.Add(f.categories);
    content_.tasks.push_back(task);
  }

  FileZones zones_;
  SourceContent content_;
  std::vector<PendingOverride> overrides_;
  // Parse trees come and go while reading (a large file is read in parts).
  std::unordered_map<std::string, std::uint32_t> eventOrdinals_;
  std::unordered_map<std::string, std::uint32_t> taskOrdinals_;
  std::unordered_set<std::string> cancelledSeries_;
};

std::string Wrapped(const std::vector<std::string_view>& components) {
  std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
  for (const std::string_view c : components) {
    text += c;
    if (!c.empty() && c.back() != '\n') text += "\r\n";
  }
  return text + "END:VCALENDAR\r\n";
}

// About 64 KiB of text per part: a tree of some 700 KB, well inside the cache.
constexpr std::size_t kPartSize = 64 * 1024;

}  // namespace

SourceContent ReadCalendar(const std::string& text, const std::string& fileName, ZoneCache& zones,
                           ReadCounts* counts) {
  std::string_view body = std::string_view(text).substr(TextStart(text));
  if (IsBlank(body)) return {};
  // Folds broken by blank lines and date lists are mended first.
  const std::optional<std::string> tidied = TidyCalendarText(body);
  if (tidied) body = *tidied;
  const auto parse = [&](const char* calendar, std::size_t length) {
    if (counts != nullptr) {
      ++counts->parses;
      counts->bytes += length;
    }
    return Parse(calendar, fileName);
  };
  const CalendarLayout layout = ScanCalendar(body);
  Reader reader(zones);
  if (!layout.plain) {
    // Anything unusual is left to libical as a whole, if it is within the limits.
    if (!WithinTextLimits(body)) {
      throw AutomationError(
          "The file \"" + fileName +
          "\" in the calendar store has lines too long or too many for its reader.");
    }
    const Tree root = parse(tidied ? tidied->c_str() : text.c_str() + TextStart(text), body.size());
    return reader.Read(root.get());
  }
  // The file is parsed a part at a time: each part's tree is read while it is
  // fresh in the cache and freed before the next, so the whole tree (ten
  // times the file) never exists at once. A component over the limits of
  // libical's parser is left out and counted.
  std::size_t skipped = 0;
  const auto fits = [&skipped](std::string_view component) {
    if (WithinTextLimits(component)) return true;
    ++skipped;
    return false;
  };
  std::vector<std::string_view> zoneParts;
  for (const std::string_view zone : layout.zones) {
    if (fits(zone)) zoneParts.push_back(zone);
  }
  Tree zoneTree;  // the definitions stay alive until the end of the read
  if (!zoneParts.empty()) {
    const std::string zoneText = Wrapped(zoneParts);
    zoneTree = parse(zoneText.c_str(), zoneText.size());
    reader.AddZones(zoneTree.get());
  }
  reader.Reserve(layout.events, layout.tasks);
  std::vector<std::string_view> part;
  std::size_t partSize = 0;
  const auto readPart = [&] {
    const std::string partText = Wrapped(part);
    const Tree tree = parse(partText.c_str(), partText.size());
    reader.ReadItems(tree.get());
    part.clear();
    partSize = 0;
  };
  for (const std::string_view item : layout.items) {
    if (!fits(item)) continue;
    part.push_back(item);
    partSize += item.size();
    if (partSize >= kPartSize) readPart();
  }
  if (!part.empty()) readPart();
  SourceContent content = reader.Finish();
  content.skippedItems = skipped;
  return content;
}

std::string ExtractItemCalendar(const std::string& text, ItemKind kind, std::string_view uid,
                                std::uint32_t ordinal) {
  const std::size_t start = TextStart(text);
  const std::string_view body = std::string_view(text).substr(start);
  // A file with lines over the parser's limits gives no item (reading it
  // skipped them); the count of properties is a component's, not the file's.
  TextLimits limits;
  limits.propertiesPerComponent = std::numeric_limits<std::size_t>::max();
  if (IsBlank(body) || !WithinTextLimits(body, limits)) return {};
  const std::optional<std::string> tidied = TidyCalendarText(body);
  const Tree root = Parse(tidied ? tidied->c_str() : text.c_str() + start, "item");
  const icalcomponent_kind wanted =
      kind == ItemKind::Appointment ? ICAL_VEVENT_COMPONENT : ICAL_VTODO_COMPONENT;

  Tree out(icalcomponent_new_vcalendar());
  icalcomponent_add_property(out.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(out.get(), icalproperty_new_prodid("-//Lumivane//Item//EN"));
  bool found = false;
  std::uint32_t seen = 0;
  for (icalcomponent* calendar : Calendars(root.get())) {
    for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT);
         c != nullptr; c = icalcomponent_get_next_component(calendar, ICAL_VTIMEZONE_COMPONENT)) {
      icalcomponent_add_component(out.get(), icalcomponent_new_clone(c));
    }
    ForEachChild(calendar, wanted, [&](icalcomponent* c) {
      if (UidOf(c) != uid) return;
      // The series (ordinal 0) goes with its moved instances.
      const bool take = HasRecurrenceId(c) ? ordinal == 0 : seen++ == ordinal;
      if (!take) return;
      icalcomponent_add_component(out.get(), icalcomponent_new_clone(c));
      found = true;
    });
  }
  if (!found) return {};
  char* written = icalcomponent_as_ical_string_r(out.get());
  std::string result = written != nullptr ? written : "";
  std::free(written);
  return result;
}

}  // namespace lumivane::ical
