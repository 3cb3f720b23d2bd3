#include "display/DisplayComposer.h"

#include "display/DateTexts.h"
#include "display/TextRoutines.h"
#include "i18n/DateFormat.h"
#include "outlook/OutlookContract.h"

namespace lumivane {
namespace {

constexpr double kOneMinute = 1.0 / (24 * 60);

// An item line: room for the tags, times and words around the item's own
// texts, so that it is allocated once.
std::string ItemLine(std::size_t ownTexts) {
  constexpr std::size_t kAround = 160;
  std::string line;
  line.reserve(kAround + ownTexts);
  return line;
}

}  // namespace

std::string FontSizeTextFor(int fontPointSize) {
  const int size = fontPointSize - 1;
  return size > 5 ? std::to_string(size) : "1";
}

RefreshValues FormRefreshValues(const ComposeInputs& in) {
  const Settings& s = in.settings;
  RefreshValues v;
  v.ShadowOpen = s.ShowShadow ? "<SHAD>" : "";
  v.ShadowClose = s.ShowShadow ? "</SHAD>" : "";
  v.ImageAlign = "middle";
  v.IndentText = s.Indent >= 0 ? std::string(static_cast<size_t>(s.Indent), ' ') : "";
  v.AllDayText = s.ShowAllDay ? in.language.LookupMessage("All Day") : "";
  v.MultiDayText = s.ShowAllDay ? in.language.LookupMessage("Multi Day") : "";
  v.FontSizeText = FontSizeTextFor(in.fontPointSize);
  return v;
}

DisplayComposer::DisplayComposer(const ComposeInputs& in)
    : in_(in),
      values_(FormRefreshValues(in)),
      today_(DateOf(in.now)),
      fontOpen_("<font size=\"" + values_.FontSizeText + "\">"),
      taskColorTexts_{"#" + ColorToText(StandingColor(in.settings, TaskDateStanding::Due)),
                      "#" + ColorToText(StandingColor(in.settings, TaskDateStanding::DueToday)),
                      "#" + ColorToText(StandingColor(in.settings, TaskDateStanding::Future))} {}

std::string DisplayComposer::AlignmentLine() const {
  return in_.settings.Align == 0 ? "<P align=\"left\">" : "<P align=\"right\">";
}

void DisplayComposer::AppendSubject(std::string& line, const std::string& subject,
                                    const std::string& entryId) const {
  const Settings& s = in_.settings;
  if (s.OpenOutlookItem) {
    line += "<a href=\"outlook:";
    line += entryId;
    line += "\">";
  }
  if (s.HTMLSubject && s.MaxSubjectSize == 0) {
    line += subject;  // as it is, without a copy
  } else {
    line += CutText(s.HTMLSubject ? subject : EscapeMarkup(subject), s.MaxSubjectSize);
  }
  if (s.OpenOutlookItem) line += "</a>";
}

// ---- Calendar section -------------------------------------------------------

void DisplayComposer::BeginCalendar() {
  const RefreshValues& v = values_;
  lines_.clear();
  itemLines_ = 0;
  itemIndexes_.clear();
  haveDay_ = false;
  lines_.push_back(v.ShadowOpen + "<IMG src=\"idx:1\" align=\"" + v.ImageAlign +
                   "\" > <a href=\"Calendar\"><U><B>" + in_.language.LookupMessage("Calendar") +
                   "</B></U></a><BR>" + v.ShadowClose + "</a>");
}

std::string DisplayComposer::DayHeading(AutomationDate d) const {
  const Settings& s = in_.settings;
  const RefreshValues& v = values_;
  const std::string caption = DayCaption(d, today_, s.UseTodayTomorrow, in_.language, in_.formats);
  const bool longForm =
      (s.CalendarDaysToDisplay > 6 && DateOf(d) - today_ > 6) || s.AlwaysShowCalDate;
  if (longForm) {
    return v.ShadowOpen + "<b>" + caption + " (" + DayHeadingDateText(d, in_.formats) +
           ") </b><BR>" + v.ShadowClose;
  }
  return v.ShadowOpen + "<b>" + caption + " </b><BR>" + v.ShadowClose;
}

void DisplayComposer::AppendAppointmentTime(std::string& line, const AppointmentEntry& e,
                                            long long displayDay) const {
  const Settings& s = in_.settings;
  const RefreshValues& v = values_;
  const FormatSettings& fs = in_.formats;
  if (!s.ShowCalendarTime) return;
  // Same-day tests compare day numbers, each date's worked out once.
  const long long startDay = DayNumber(e.Start);
  const long long endDay = DayNumber(e.End);
  const auto timeOf = [&](AutomationDate moment) {
    line += fontOpen_;
    AppendDateTime(line, fs.shortTimeFormat, moment, fs);
    line += " - </font>";
  };
  const auto word = [&](const std::string& text) {
    line += fontOpen_;
    line += text;
    line += " - </font>";
  };
  if (!e.AllDayEvent && startDay == endDay) {
    timeOf(e.Start);
  } else if (e.AllDayEvent && endDay == DayNumber(DateOf(e.DisplayDate) + 1)) {
    if (!v.AllDayText.empty()) word(v.AllDayText);
  } else {
    // Both words are empty together (ShowAllDay off), so the all-day word decides.
    if (!v.AllDayText.empty()) word(v.MultiDayText);
  }
  if (s.ShowEndTime && !e.AllDayEvent && startDay == displayDay && endDay == displayDay) {
    timeOf(e.End);
  }
}

void DisplayComposer::AddAppointment(const AppointmentEntry& e, AutomationDate referenceMoment) {
  const Settings& s = in_.settings;
  const RefreshValues& v = values_;

  const long long displayDay = DayNumber(e.DisplayDate);
  const long long previous = haveDay_ ? previousDisplayDay_ : DayNumber(referenceMoment - 10);
  if (displayDay != previous) lines_.push_back(DayHeading(e.DisplayDate));
  haveDay_ = true;
  previousDisplayDay_ = displayDay;

  std::string location;
  if (s.ShowLocation) {
    location = CutText(e.Location, s.MaxSubjectSize);
    if (!s.HTMLSubject) location = EscapeMarkup(location);
  }
  const bool withLocation = !location.empty();

  std::string line = ItemLine(e.Subject.size() + e.EntryID.size() + location.size());
  line += v.ShadowOpen;
  if (s.Align == 0) line += v.IndentText;
  if (s.ShowCurrentTaskIndicator) {
    const bool inProgress =
        !e.AllDayEvent && e.DisplayDate <= in_.now && in_.now <= e.End + kOneMinute;
    line += inProgress ? "<IMG src=\"idx:5\" align=\"" : "<IMG src=\"idx:4\" align=\"";
    line += v.ImageAlign;
    line += "\"> ";
  }
  AppendAppointmentTime(line, e, displayDay);
  AppendSubject(line, e.Subject, e.EntryID);
  if (withLocation) {
    line += " (";
    line += location;
    line += ')';
  }
  if (s.Align == 0) {
    line += withLocation ? " <BR>" : "<BR>";
  } else {
    line += v.IndentText;
    line += "<BR>";
  }
  line += v.ShadowClose;
  lines_.push_back(std::move(line));
  ++itemLines_;
  itemIndexes_.push_back(lines_.size() - 1);
}

std::vector<std::string> DisplayComposer::EndCalendar() {
  const RefreshValues& v = values_;
  if (itemLines_ == 0) {
    const std::string empty = "<i>" + in_.language.LookupMessage("No appointments found") + "</i>";
    if (in_.settings.Align == 0) {
      lines_.push_back(v.ShadowOpen + v.IndentText + empty + v.ShadowClose + "<br>");
    } else {
      lines_.push_back(v.ShadowOpen + empty + v.IndentText + v.ShadowClose + "<br>");
    }
  }
  if (itemLines_ == 0 && in_.settings.DontDisplayCalIfEmpty) return {};
  return std::move(lines_);
}

// ---- Task section -----------------------------------------------------------

DisplayComposer::TaskDateStanding DisplayComposer::StandingOf(AutomationDate taskDate) const {
  if (taskDate < today_) return TaskDateStanding::Due;
  if (IsSameDay(taskDate, today_, in_.formats)) return TaskDateStanding::DueToday;
  return TaskDateStanding::Future;
}

Color DisplayComposer::StandingColor(const Settings& s, TaskDateStanding standing) {
  switch (standing) {
    case TaskDateStanding::Due:
      return s.TaskDueColor;
    case TaskDateStanding::DueToday:
      return s.TaskDueTodayColor;
    case TaskDateStanding::Future:
      break;
  }
  return s.TaskFutureColor;
}

Color DisplayComposer::TaskDateColor(AutomationDate taskDate) const {
  return StandingColor(in_.settings, StandingOf(taskDate));
}

void DisplayComposer::BeginTasks() {
  const RefreshValues& v = values_;
  lines_.clear();
  itemLines_ = 0;
  itemIndexes_.clear();
  lines_.push_back("<br></a>");
  lines_.push_back(v.ShadowOpen + "<IMG src=\"idx:0\" align=\"" + v.ImageAlign +
                   "\"> <a href=\"Tasks\"><U><B>" + in_.language.LookupMessage("Tasks") +
                   "</B></U></a><BR>" + v.ShadowClose + "</a>");
}

void DisplayComposer::AppendTaskDatePrefix(std::string& line, AutomationDate date) const {
  const Settings& s = in_.settings;
  if (date == NoDate) return;
  const std::string& color = taskColorTexts_[static_cast<int>(StandingOf(date))];
  const auto colorOpen = [&] {
    line += "<font color=\"";
    line += color;
    line += "\">";
  };
  if (!s.ShowTaskDate) {
    if (s.ShowTaskDateColor && s.ColorAllTask) colorOpen();
    return;
  }
  if (s.ShowTaskDateColor) {
    line += "<font color=\"";
    line += color;
    line += "\" Size=\"";
  } else {
    line += "<font Size=\"";
  }
  line += values_.FontSizeText;
  line += "\">";
  AppendDateTimeText(line, date, in_.formats);
  line += " - </Font>";
  if (s.ShowTaskDateColor && s.ColorAllTask) colorOpen();
}

void DisplayComposer::AddTask(const TaskEntry& t) {
  const Settings& s = in_.settings;
  const RefreshValues& v = values_;
  std::string line = ItemLine(t.Subject.size() + t.EntryID.size());
  line += v.ShadowOpen;
  if (s.ShowImpIcons) {
    line += t.Importance == 2   ? "<IMG src=\"idx:2\" align=\""
            : t.Importance == 0 ? "<IMG src=\"idx:3\" align=\""
                                : "<IMG src=\"idx:4\" align=\"";
    line += v.ImageAlign;
    line += "\"> ";
  }
  if (t.Complete) line += "<s>";
  AppendTaskDatePrefix(line, t.TaskDate);
  AppendSubject(line, t.Subject, t.EntryID);
  if (t.Complete) line += "</s>";
  if (s.ShowTaskDateColor && s.ColorAllTask) line += "</font>";
  line += v.ShadowClose;
  line += "<br>";
  lines_.push_back(std::move(line));
  ++itemLines_;
  itemIndexes_.push_back(lines_.size() - 1);
}

std::vector<std::string> DisplayComposer::EndTasks() {
  const RefreshValues& v = values_;
  if (itemLines_ == 0) {
    lines_.push_back(v.ShadowOpen + "<i>" + in_.language.LookupMessage("No tasks found") + "</i>" +
                     v.ShadowClose + "<br>");
  }
  if (itemLines_ == 0 && in_.settings.DontDisplayTasksIfEmpty) return {};
  return std::move(lines_);
}

// ---- The whole display ------------------------------------------------------

void ComposeDisplay(const ComposeInputs& in, const CalendarRunner& calendar,
                    const TaskRunner& tasks, const std::function<void(std::string)>& addLine) {
  ComposeDisplay(in, calendar, tasks, [&](std::string line, bool) { addLine(std::move(line)); });
}

void ComposeDisplay(const ComposeInputs& in, const CalendarRunner& calendar,
                    const TaskRunner& tasks,
                    const std::function<void(std::string, bool item)>& addLine) {
  DisplayComposer composer(in);
  auto section = [&](std::vector<std::string> lines) {
    // The item indexes ascend.
    const std::vector<std::size_t>& items = composer.ItemLineIndexes();
    std::size_t next = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const bool item = next < items.size() && items[next] == i;
      if (item) ++next;
      addLine(std::move(lines[i]), item);
    }
  };
  addLine(composer.AlignmentLine(), false);
  if (in.settings.ShowCalendar) {
    composer.BeginCalendar();
    calendar([&](const AppointmentEntry& e, AutomationDate reference) {
      composer.AddAppointment(e, reference);
    });
    section(composer.EndCalendar());
  }
  if (in.settings.ShowTaks) {
    composer.BeginTasks();
    tasks([&](const TaskEntry& t) { composer.AddTask(t); });
    section(composer.EndTasks());
  }
  addLine("<br>", false);
}

}  // namespace lumivane
