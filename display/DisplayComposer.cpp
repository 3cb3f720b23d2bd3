#include "display/DisplayComposer.h"

#include "display/DateTexts.h"
#include "display/TextRoutines.h"
#include "i18n/DateFormat.h"
#include "outlook/OutlookContract.h"

namespace lumivane {
namespace {

constexpr double kOneMinute = 1.0 / (24 * 60);

std::string Font(const RefreshValues& v) {
  return "<font size=\"" + v.FontSizeText + "\">";
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
    : in_(in), values_(FormRefreshValues(in)), today_(DateOf(in.now)) {}

std::string DisplayComposer::AlignmentLine() const {
  return in_.settings.Align == 0 ? "<P align=\"left\">" : "<P align=\"right\">";
}

std::string DisplayComposer::SubjectMarkup(const std::string& subject,
                                           const std::string& entryId) const {
  const Settings& s = in_.settings;
  std::string text = s.HTMLSubject ? subject : EscapeMarkup(subject);
  text = CutText(text, s.MaxSubjectSize);
  if (s.OpenOutlookItem) text = "<a href=\"outlook:" + entryId + "\">" + text + "</a>";
  return text;
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

std::string DisplayComposer::AppointmentTimeText(const AppointmentEntry& e) const {
  const Settings& s = in_.settings;
  const RefreshValues& v = values_;
  const FormatSettings& fs = in_.formats;
  if (!s.ShowCalendarTime) return {};
  const std::string font = Font(v);
  std::string text;
  const bool sameDay = IsSameDay(e.Start, e.End, fs);
  if (!e.AllDayEvent && sameDay) {
    text = font + FormatDateTime(fs.shortTimeFormat, e.Start, fs) + " - </font>";
  } else if (e.AllDayEvent && IsSameDay(e.End, DateOf(e.DisplayDate) + 1, fs)) {
    if (!v.AllDayText.empty()) text = font + v.AllDayText + " - </font>";
  } else {
    // Both words are empty together (ShowAllDay off), so the all-day word decides.
    if (!v.AllDayText.empty()) text = font + v.MultiDayText + " - </font>";
  }
  if (s.ShowEndTime && !e.AllDayEvent && IsSameDay(e.Start, e.DisplayDate, fs) &&
      IsSameDay(e.End, e.DisplayDate, fs)) {
    text += font + FormatDateTime(fs.shortTimeFormat, e.End, fs) + " - </font>";
  }
  return text;
}

void DisplayComposer::AddAppointment(const AppointmentEntry& e, AutomationDate referenceMoment) {
  const Settings& s = in_.settings;
  const RefreshValues& v = values_;
  const FormatSettings& fs = in_.formats;

  const AutomationDate previous = haveDay_ ? previousDisplayDate_ : referenceMoment - 10;
  if (!IsSameDay(e.DisplayDate, previous, fs)) lines_.push_back(DayHeading(e.DisplayDate));
  haveDay_ = true;
  previousDisplayDate_ = e.DisplayDate;

  std::string timeText = AppointmentTimeText(e);
  const std::string subject = SubjectMarkup(e.Subject, e.EntryID);
  std::string location = CutText(e.Location, s.MaxSubjectSize);
  if (!s.HTMLSubject) location = EscapeMarkup(location);

  if (s.ShowCurrentTaskIndicator) {
    const bool inProgress =
        !e.AllDayEvent && e.DisplayDate <= in_.now && in_.now <= e.End + kOneMinute;
    timeText = "<IMG src=\"idx:" + std::string(inProgress ? "5" : "4") + "\" align=\"" +
               v.ImageAlign + "\"> " + timeText;
  }

  const bool withLocation = s.ShowLocation && !location.empty();
  const std::string l = withLocation ? " (" + location + ")" : "";
  if (s.Align == 0) {
    lines_.push_back(v.ShadowOpen + v.IndentText + timeText + subject + l +
                     (withLocation ? " <BR>" : "<BR>") + v.ShadowClose);
  } else {
    lines_.push_back(v.ShadowOpen + timeText + subject + l + v.IndentText + "<BR>" + v.ShadowClose);
  }
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

Color DisplayComposer::TaskDateColor(AutomationDate taskDate) const {
  const Settings& s = in_.settings;
  if (taskDate < today_) return s.TaskDueColor;
  if (IsSameDay(taskDate, today_, in_.formats)) return s.TaskDueTodayColor;
  return s.TaskFutureColor;
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

void DisplayComposer::AddTask(const TaskEntry& t) {
  const Settings& s = in_.settings;
  const RefreshValues& v = values_;
  const AutomationDate date = t.TaskDate;
  const std::string color = "#" + ColorToText(TaskDateColor(date));

  std::string prefix;
  if (!s.ShowTaskDate) {
    if (date != NoDate && s.ShowTaskDateColor && s.ColorAllTask) {
      prefix = "<font color=\"" + color + "\">";
    }
  } else if (date == NoDate) {
    prefix.clear();
  } else if (s.ShowTaskDateColor) {
    prefix = "<font color=\"" + color + "\" Size=\"" + v.FontSizeText + "\">" +
             DateTimeText(date, in_.formats) + " - </Font>";
    if (s.ColorAllTask) prefix += "<font color=\"" + color + "\">";
  } else {
    prefix =
        "<font Size=\"" + v.FontSizeText + "\">" + DateTimeText(date, in_.formats) + " - </Font>";
  }

  const std::string subject = SubjectMarkup(t.Subject, t.EntryID);
  std::string text = t.Complete ? "<s>" + prefix + subject + "</s>" : prefix + subject;
  if (s.ShowTaskDateColor && s.ColorAllTask) text += "</font>";
  if (s.ShowImpIcons) {
    const char* image = t.Importance == 2 ? "2" : t.Importance == 0 ? "3" : "4";
    text = "<IMG src=\"idx:" + std::string(image) + "\" align=\"" + v.ImageAlign + "\"> " + text;
  }
  lines_.push_back(v.ShadowOpen + text + v.ShadowClose + "<br>");
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
