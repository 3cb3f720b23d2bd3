#pragma once
// The display markup of one refresh: one line per heading, day heading and
// item, built from the Settings record, the translator, the regional formats,
// the current moment and the items the queries hand over. Plain text in,
// plain text out: no window, no server.
#include <functional>
#include <string>
#include <vector>

#include "base/AutomationDate.h"
#include "display/Settings.h"
#include "i18n/FormatSettings.h"
#include "i18n/TLanguage.h"
#include "outlook/QueryEntries.h"

namespace lumivane {

struct ComposeInputs {
  const Settings& settings;
  const TLanguage& language;
  const FormatSettings& formats;
  AutomationDate now = 0;
  int fontPointSize = 8;  // the display font's size in points
};

// The values formed once at the start of each refresh.
struct RefreshValues {
  std::string ShadowOpen;
  std::string ShadowClose;
  std::string ImageAlign;
  std::string IndentText;
  std::string AllDayText;
  std::string MultiDayText;
  std::string FontSizeText;
};

RefreshValues FormRefreshValues(const ComposeInputs& in);

// `label points - 1` when that is above 5, else "1".
std::string FontSizeTextFor(int fontPointSize);

// Builds the calendar and the task section, item by item.
class DisplayComposer {
 public:
  explicit DisplayComposer(const ComposeInputs& in);

  const RefreshValues& Values() const { return values_; }
  // `<P align="left">` or `<P align="right">`.
  std::string AlignmentLine() const;

  void BeginCalendar();
  void AddAppointment(const AppointmentEntry& entry, AutomationDate referenceMoment);
  // The section's lines for the label; empty when the section is left out.
  std::vector<std::string> EndCalendar();

  void BeginTasks();
  void AddTask(const TaskEntry& entry);
  std::vector<std::string> EndTasks();
  // Where the items (appointments, tasks) are among the lines the last End
  // gave.
  const std::vector<std::size_t>& ItemLineIndexes() const { return itemIndexes_; }

  // The colour of a task by how its date stands against today.
  Color TaskDateColor(AutomationDate taskDate) const;

 private:
  enum class TaskDateStanding { Due, DueToday, Future };
  TaskDateStanding StandingOf(AutomationDate taskDate) const;
  static Color StandingColor(const Settings& s, TaskDateStanding standing);

  // Each item line is written piece by piece into one string.
  void AppendSubject(std::string& line, const std::string& subject,
                     const std::string& entryId) const;
  void AppendAppointmentTime(std::string& line, const AppointmentEntry& e,
                             long long displayDay) const;
  void AppendTaskDatePrefix(std::string& line, AutomationDate taskDate) const;
  std::string DayHeading(AutomationDate displayDate) const;

  ComposeInputs in_;
  RefreshValues values_;
  AutomationDate today_ = 0;
  // `<font size="...">`, and "#" with each task date colour: the same for
  // every item of a refresh, so written once.
  std::string fontOpen_;
  std::string taskColorTexts_[3];  // by TaskDateStanding
  std::vector<std::string> lines_;
  int itemLines_ = 0;
  std::vector<std::size_t> itemIndexes_;
  bool haveDay_ = false;
  long long previousDisplayDay_ = 0;  // DayNumber of the last display date
};

// Runs a query, handing its entries to the consumer.
using CalendarRunner = std::function<void(const AppointmentConsumer&)>;
using TaskRunner = std::function<void(const TaskConsumer&)>;

// The whole markup of one refresh, line by line, into `addLine`: the
// alignment line, the calendar section (when ShowCalendar is on), the task
// section (when ShowTaks is on) and the last "<br>". An error of one
// appointment is swallowed by the calendar query; any other error leaves
// here with the lines added so far already handed over.
void ComposeDisplay(const ComposeInputs& in, const CalendarRunner& calendar,
                    const TaskRunner& tasks, const std::function<void(std::string)>& addLine);
// The same, telling of each line whether it shows an item (an appointment or
// a task) rather than a heading, an empty text or a blank line.
void ComposeDisplay(const ComposeInputs& in, const CalendarRunner& calendar,
                    const TaskRunner& tasks,
                    const std::function<void(std::string, bool item)>& addLine);

}  // namespace lumivane
