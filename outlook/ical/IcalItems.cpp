#include "outlook/ical/IcalItems.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <span>
#include <utility>

#include "base/AsciiCase.h"
#include "outlook/AutomationError.h"
#include "outlook/ical/EntryId.h"
#include "outlook/ical/Filter.h"
#include "outlook/ical/KeyOrder.h"
#include "outlook/ical/SeriesExpansion.h"

namespace lumivane::ical {
namespace {

// Property lists of the folders; the positions are the property numbers.
enum CalendarProperty { kStart, kEnd, kAllDayEvent, kSubject, kLocation, kCategories, kEntryId };
constexpr FilterProperty kCalendarProperties[] = {
    {"Start", ValueType::Date},          {"End", ValueType::Date},
    {"AllDayEvent", ValueType::Boolean}, {"Subject", ValueType::Text},
    {"Location", ValueType::Text},       {"Categories", ValueType::Text},
    {"EntryID", ValueType::Text},
};

enum TaskProperty {
  kDueDate,
  kStartDate,
  kComplete,
  kImportance,
  kTaskSubject,
  kTaskCategories,
  kTaskEntryId
};
constexpr FilterProperty kTaskProperties[] = {
    {"DueDate", ValueType::Date},     {"StartDate", ValueType::Date},
    {"Complete", ValueType::Boolean}, {"Importance", ValueType::Number},
    {"Subject", ValueType::Text},     {"Categories", ValueType::Text},
    {"EntryID", ValueType::Text},
};

enum InboxProperty { kMailSubject, kMailCategories, kMailEntryId };
constexpr FilterProperty kInboxProperties[] = {
    {"Subject", ValueType::Text}, {"Categories", ValueType::Text}, {"EntryID", ValueType::Text}};

std::span<const FilterProperty> PropertiesOf(FolderKind kind) {
  switch (kind) {
    case FolderKind::Calendar:
      return kCalendarProperties;
    case FolderKind::Tasks:
      return kTaskProperties;
    case FolderKind::Inbox:
      break;
  }
  return kInboxProperties;
}

std::string AppointmentEntryID(const IcalSource& source, const Appointment& item) {
  return MakeEntryID(ItemKind::Appointment, source.name, source.content.texts[item.uid],
                     item.ordinal);
}

std::string TaskEntryID(const IcalSource& source, const Task& task) {
  return MakeEntryID(ItemKind::Task, source.name, source.content.texts[task.uid], task.ordinal);
}

// A row as the filter and the sort read it.
class RowValues final : public FilterRow {
 public:
  explicit RowValues(const IcalItems::Row& row) : row_(row) {}

  WallSeconds DateValue(int property) const override { return WallFromAutomation(Date(property)); }

  AutomationDate Date(int property) const {
    if (row_.task != nullptr)
      return property == kDueDate ? row_.task->dueDate : row_.task->startDate;
    return property == kStart ? row_.start : row_.end;
  }

  std::string_view TextValue(int property) const override {
    const RecordTexts& texts = row_.source->content.texts;
    if (row_.task != nullptr) {
      switch (property) {
        case kTaskSubject:
          return texts[row_.task->subject];
        case kTaskCategories:
          return texts[row_.task->categories];
        default:
          entryId_ = TaskEntryID(*row_.source, *row_.task);
          return entryId_;
      }
    }
    switch (property) {
      case kSubject:
        return texts[row_.appointment->subject];
      case kLocation:
        return texts[row_.appointment->location];
      case kCategories:
        return texts[row_.appointment->categories];
      default:
        entryId_ = AppointmentEntryID(*row_.source, *row_.appointment);
        return entryId_;
    }
  }

  double NumberValue(int property) const override {
    if (row_.task != nullptr) {
      return property == kComplete ? (row_.task->complete ? 1 : 0) : row_.task->importance;
    }
    return row_.appointment->allDay ? 1 : 0;
  }

 private:
  const IcalItems::Row& row_;
  mutable std::string entryId_;  // made only when a filter or sort asks for it
};

class IcalAppointmentItem final : public OutlookItem, public _AppointmentItem {
 public:
  IcalAppointmentItem(std::shared_ptr<const StoreSnapshot> snapshot, const IcalItems::Row& row)
      : snapshot_(std::move(snapshot)), row_(row) {}

  _AppointmentItem* QueryAppointmentItem() override { return this; }
  _TaskItem* QueryTaskItem() override { return nullptr; }

  AutomationDate Start() const override { return row_.start; }
  AutomationDate End() const override { return row_.end; }
  bool AllDayEvent() const override { return row_.appointment->allDay; }
  std::string Subject() const override { return Text(row_.appointment->subject); }
  std::string Location() const override { return Text(row_.appointment->location); }
  std::string Categories() const override { return Text(row_.appointment->categories); }
  std::string EntryID() const override {
    return AppointmentEntryID(*row_.source, *row_.appointment);
  }

 private:
  std::string Text(TextRef ref) const { return std::string(row_.source->content.texts[ref]); }

  std::shared_ptr<const StoreSnapshot> snapshot_;  // keeps the records alive
  IcalItems::Row row_;
};

class IcalTaskItem final : public OutlookItem, public _TaskItem {
 public:
  IcalTaskItem(std::shared_ptr<const StoreSnapshot> snapshot, const IcalItems::Row& row)
      : snapshot_(std::move(snapshot)), row_(row) {}

  _AppointmentItem* QueryAppointmentItem() override { return nullptr; }
  _TaskItem* QueryTaskItem() override { return this; }

  AutomationDate DueDate() const override { return row_.task->dueDate; }
  AutomationDate StartDate() const override { return row_.task->startDate; }
  bool Complete() const override { return row_.task->complete; }
  int Importance() const override { return row_.task->importance; }
  std::string Subject() const override { return Text(row_.task->subject); }
  std::string Categories() const override { return Text(row_.task->categories); }
  std::string EntryID() const override { return TaskEntryID(*row_.source, *row_.task); }

 private:
  std::string Text(TextRef ref) const { return std::string(row_.source->content.texts[ref]); }

  std::shared_ptr<const StoreSnapshot> snapshot_;
  IcalItems::Row row_;
};

// A wall range as automation dates, to pass over most rows without turning
// their dates into wall seconds. From 1899-12-30 on the numbers order as the
// dates do; a second of slack on each side keeps rounding from turning away
// a date the range holds. Earlier dates take the exact test.
class AutomationRange {
 public:
  explicit AutomationRange(const WallRange& range) : range_(range) {
    if (range.lo > kNoLowerBound + 1) lo_ = AutomationFromWall(range.lo - 1);
    if (range.hi < kNoUpperBound - 1) hi_ = AutomationFromWall(range.hi + 1);
  }
  // False only for a date outside the range.
  bool MayHold(AutomationDate date) const {
    if (date >= 0) return date >= lo_ && date <= hi_;
    return range_.Contains(WallFromAutomation(date));
  }

 private:
  WallRange range_;
  double lo_ = -std::numeric_limits<double>::infinity();
  double hi_ = std::numeric_limits<double>::infinity();
};

// Two days on each side cover any difference between the local clock and a
// series' own zone, so the wall range of a series never misses an occurrence;
// the filter decides on the exact local times afterwards.
constexpr WallSeconds kZoneMargin = 2 * kSecondsPerDay;

WallSeconds Add(WallSeconds a, WallSeconds b) {
  WallSeconds sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) return b > 0 ? kNoUpperBound : kNoLowerBound;
  return sum;
}

// The wall range of series starts that can give an occurrence inside the
// bounds: it must start by the last start and end after the first end.
std::pair<WallSeconds, WallSeconds> SeriesWindow(const DateBounds& bounds, const Series& series) {
  std::int64_t longest = series.durationDays * kSecondsPerDay + series.durationSeconds;
  for (const ExtraDate& extra : series.rdates) longest = std::max(longest, extra.seconds);
  WallSeconds from = bounds.first.lo;
  if (bounds.second.lo != kNoLowerBound) from = std::max(from, Add(bounds.second.lo, -longest));
  if (from != kNoLowerBound) from = Add(from, -kZoneMargin);
  WallSeconds to = bounds.first.hi;
  if (to != kNoUpperBound) to = Add(to, kZoneMargin);
  return {from, to};
}

}  // namespace

IcalItems::IcalItems(FolderKind kind, std::shared_ptr<const StoreSnapshot> snapshot,
                     FormatSettings fs)
    : kind_(kind), snapshot_(std::move(snapshot)), fs_(std::move(fs)) {}

void IcalItems::Sort(const std::string& property, bool descending) {
  const std::span<const FilterProperty> properties = PropertiesOf(kind_);
  const bool bracketed = property.size() >= 2 && property.front() == '[' && property.back() == ']';
  const std::string_view name =
      bracketed ? std::string_view(property).substr(1, property.size() - 2) : property;
  for (std::size_t i = 0; i < properties.size(); ++i) {
    if (SameTextAscii(properties[i].name, name)) {
      sortProperty_ = static_cast<int>(i);
      descending_ = descending;
      return;
    }
  }
  throw AutomationError("The items cannot be sorted on \"" + property +
                        "\": the folder has no such property.");
}

std::shared_ptr<OutlookItem> IcalItems::Find(const std::string& text) {
  const Filter filter = Filter::Parse(text, PropertiesOf(kind_), fs_);
  matches_.clear();
  next_ = 0;
  searched_ = true;
  if (kind_ == FolderKind::Calendar) CollectAppointments(filter);
  if (kind_ == FolderKind::Tasks) CollectTasks(filter);
  SortMatches();
  return FindNext();
}

std::shared_ptr<OutlookItem> IcalItems::FindNext() {
  if (!searched_) throw AutomationError("FindNext was called before Find.");
  if (next_ >= matches_.size()) return nullptr;
  return ItemAt(next_++);
}

void IcalItems::CollectAppointments(const Filter& filter) {
  const DateBounds bounds = filter.BoundsOf(kStart, kEnd);
  if (bounds.Empty()) return;
  const AutomationRange starts(bounds.first);
  const AutomationRange ends(bounds.second);
  const auto consider = [&](const IcalSource& source, const Appointment& item, AutomationDate start,
                            AutomationDate end) {
    // The bounds only spare the evaluation of rows that cannot match.
    if (!starts.MayHold(start) || !ends.MayHold(end)) return;
    const Row row{&source, &item, nullptr, start, end};
    if (filter.Matches(RowValues(row))) matches_.push_back(row);
  };
  for (const auto& source : snapshot_->sources) {
    for (const Appointment& item : source->content.appointments) {
      if (item.series && includeRecurrences_) {
        const auto [from, to] = SeriesWindow(bounds, *item.series);
        for (const Occurrence& o : ExpandSeries(item, from, to)) {
          consider(*source, *o.item, o.start, o.end);
        }
      } else {
        consider(*source, item, item.start, item.end);
      }
    }
  }
}

void IcalItems::CollectTasks(const Filter& filter) {
  for (const auto& source : snapshot_->sources) {
    for (const Task& task : source->content.tasks) {
      const Row row{source.get(), nullptr, &task, 0, 0};
      if (filter.Matches(RowValues(row))) matches_.push_back(row);
    }
  }
}

void IcalItems::SortMatches() {
  if (sortProperty_ < 0 || matches_.size() < 2) return;
  const ValueType type = PropertiesOf(kind_)[static_cast<std::size_t>(sortProperty_)].type;
  const int property = sortProperty_;
  // Each row's key is taken once; equal keys keep the store's order, both ways.
  std::vector<std::uint32_t> order;
  if (type == ValueType::Text) {
    std::vector<std::pair<std::string, std::uint32_t>> keyed;
    keyed.reserve(matches_.size());
    for (std::uint32_t i = 0; i < matches_.size(); ++i) {
      keyed.emplace_back(RowValues(matches_[i]).TextValue(property), i);
    }
    std::sort(keyed.begin(), keyed.end(), [this](const auto& a, const auto& b) {
      if (LessTextAscii(a.first, b.first)) return !descending_;
      if (LessTextAscii(b.first, a.first)) return descending_;
      return a.second < b.second;
    });
    order.reserve(keyed.size());
    for (const auto& entry : keyed) order.push_back(entry.second);
  } else {
    std::vector<double> keys;
    keys.reserve(matches_.size());
    for (const Row& row : matches_) {
      const RowValues values(row);
      keys.push_back(type == ValueType::Date ? values.Date(property)
                                             : values.NumberValue(property));
    }
    order = StableKeyOrder(keys, descending_);
  }
  std::vector<Row> sorted;
  sorted.reserve(matches_.size());
  for (const std::uint32_t i : order) sorted.push_back(matches_[i]);
  matches_ = std::move(sorted);
}

std::shared_ptr<OutlookItem> IcalItems::ItemAt(std::size_t index) const {
  const Row& row = matches_[index];
  if (row.task != nullptr) return std::make_shared<IcalTaskItem>(snapshot_, row);
  return std::make_shared<IcalAppointmentItem>(snapshot_, row);
}

}  // namespace lumivane::ical
