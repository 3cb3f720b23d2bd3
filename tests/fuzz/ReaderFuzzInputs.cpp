#include "fuzz/ReaderFuzzInputs.h"

#include <cmath>
#include <exception>

#include "base/AutomationDate.h"
#include "i18n/DateFormat.h"
#include "i18n/ProfileReader.h"
#include "i18n/TextEncoding.h"
#include "outlook/AutomationError.h"
#include "outlook/ical/Filter.h"
#include "outlook/ical/IcalReader.h"
#include "outlook/ical/SeriesExpansion.h"
#include "platform/RegistryFile.h"

namespace lumivane {
namespace {

constexpr std::int64_t kDay = 86400;

std::string CodePointLimitBroken(const std::string& value) {
  std::size_t codePoints = 0;
  for (const char c : value) codePoints += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return codePoints > kMaxProfileValueLength
             ? "a value of " + std::to_string(codePoints) + " characters came back"
             : std::string();
}

class FixedRow final : public ical::FilterRow {
 public:
  ical::WallSeconds DateValue(int property) const override {
    return 1'780'000'000 + property * 3600;
  }
  std::string_view TextValue(int property) const override {
    return property % 2 == 0 ? "Team meeting" : "Work; Private";
  }
  double NumberValue(int property) const override { return property % 3; }
};

constexpr ical::FilterProperty kCalendar[] = {
    {"Start", ical::ValueType::Date},          {"End", ical::ValueType::Date},
    {"AllDayEvent", ical::ValueType::Boolean}, {"Subject", ical::ValueType::Text},
    {"Location", ical::ValueType::Text},       {"Categories", ical::ValueType::Text},
    {"EntryID", ical::ValueType::Text}};
constexpr ical::FilterProperty kTasks[] = {
    {"DueDate", ical::ValueType::Date},     {"StartDate", ical::ValueType::Date},
    {"Complete", ical::ValueType::Boolean}, {"Importance", ical::ValueType::Number},
    {"Subject", ical::ValueType::Text},     {"Categories", ical::ValueType::Text},
    {"EntryID", ical::ValueType::Text}};

FormatSettings UsFormats() {
  FormatSettings fs;
  fs.shortDateFormat = "m/d/yyyy";
  fs.shortTimeFormat = "h:nn AMPM";
  fs.longTimeFormat = "h:nn:ss AMPM";
  fs.dateSeparator = "/";
  return fs;
}

FormatSettings GermanFormats() {
  FormatSettings fs;
  fs.shortDateFormat = "dd/mm/yyyy";
  fs.dateSeparator = ".";
  return fs;
}

}  // namespace

std::string CheckCalendarInput(std::string_view input) {
  const std::string text(input);
  ical::ZoneCache zones;
  ical::SourceContent content;
  try {
    content = ical::ReadCalendar(text, "fuzz.ics", zones);
  } catch (const AutomationError&) {
    return {};  // not a calendar: refused as a whole, which is allowed
  }
  for (const ical::Appointment& item : content.appointments) {
    if (std::isnan(item.start) || std::isnan(item.end)) return "an appointment without a time";
    if (!item.series) continue;
    const ical::WallSeconds from = item.series->dtstart - kDay;
    const auto& occurrences = ical::ExpandSeries(item, from, from + 366 * kDay);
    // No walk takes more than 200,000 steps; extra dates and moved
    // instances are the file's own.
    if (occurrences.size() > 200'000 + item.series->rdates.size() + item.series->overrides.size()) {
      return "a series expanded into " + std::to_string(occurrences.size()) + " occurrences";
    }
  }
  if (!content.appointments.empty()) {
    const ical::Appointment& first = content.appointments.front();
    try {
      ical::ExtractItemCalendar(text, ical::ItemKind::Appointment, content.texts[first.uid],
                                first.ordinal);
    } catch (const AutomationError&) {
      // The file read a part at a time, but not whole: the link reports it.
    }
  }
  return {};
}

std::string CheckFilterInput(std::string_view input) {
  const FormatSettings formats[] = {UsFormats(), GermanFormats()};
  const FixedRow row;
  for (const auto& properties : {std::span<const ical::FilterProperty>(kCalendar),
                                 std::span<const ical::FilterProperty>(kTasks)}) {
    for (const FormatSettings& fs : formats) {
      try {
        const ical::Filter filter = ical::Filter::Parse(input, properties, fs);
        const bool matches = filter.Matches(row);
        const ical::DateBounds bounds = filter.BoundsOf(0, 1);
        // The bounds are never tighter than the filter.
        if (matches && (!bounds.first.Contains(row.DateValue(0)) ||
                        !bounds.second.Contains(row.DateValue(1)))) {
          return "a matching row lies outside the filter's bounds";
        }
      } catch (const AutomationError&) {
        // A text that cannot be read is refused: allowed.
      }
    }
  }
  return {};
}

std::string CheckSettingsInput(std::string_view input) {
  constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\Brennick\\Lumivane";
  RegistryFile first(kKey);
  first.Parse(input);
  for (const RegValue& value : first.Values()) {
    if (first.Find(value.name) == nullptr) return "a value read cannot be found by its name";
  }
  const std::string written = first.Serialize();
  RegistryFile second(kKey);
  second.Parse(written);
  const std::string rewritten = second.Serialize();
  RegistryFile third(kKey);
  third.Parse(rewritten);
  if (third.Serialize() != rewritten) return "a saved file does not read back as it was saved";
  if (second.Values().size() != first.Values().size()) return "a save lost or added values";
  return {};
}

std::string CheckTranslationInput(std::string_view input) {
  static constexpr std::string_view kKeys[] = {"Today",
                                               "Tomorrow",
                                               "All Day",
                                               "Multi Day",
                                               "Calendar",
                                               "Tasks",
                                               "No appointments found",
                                               "No tasks found"};
  const std::string text = TextFileToUtf8(input);
  for (const std::string_view key : kKeys) {
    if (const auto value = FindProfileValue(text, "Messages", key)) {
      if (std::string broken = CodePointLimitBroken(*value); !broken.empty()) return broken;
    }
  }
  return {};
}

std::string CheckDateInput(std::string_view input) {
  for (const FormatSettings& fs : {UsFormats(), GermanFormats()}) {
    const auto date = ParseDateTime(input, fs);
    if (date && !std::isfinite(*date)) return "a date that is no number";
  }
  return {};
}

}  // namespace lumivane
