#include "display/RefreshDisplay.h"

#include "display/DateTexts.h"
#include "display/DisplayComposer.h"
#include "outlook/CalendarQuery.h"
#include "outlook/TOutlookApplication.h"
#include "outlook/TaskQuery.h"

namespace lumivane {
namespace {

CalendarQueryOptions CalendarOptionsOf(const Settings& s) {
  CalendarQueryOptions o;
  o.CalendarDaysToDisplay = s.CalendarDaysToDisplay;
  o.ShowPreciseCalendar = s.ShowPreciseCalendar;
  o.CalIgnoreWeekends = s.CalIgnoreWeekends;
  o.CalendarCategories = s.CalendarCategories;
  o.ShowCalCategories = s.ShowCalCategories;
  return o;
}

TaskQueryOptions TaskOptionsOf(const Settings& s) {
  TaskQueryOptions o;
  o.SortTasks = s.SortTasks;
  o.TaskSortDirection = s.TaskSortDirection;
  o.ShowCompletedTaks = s.ShowCompletedTaks;
  o.TasksCategories = s.TasksCategories;
  o.ShowTaskCategories = s.ShowTaskCategories;
  o.ShowTodayTasks = s.ShowTodayTasks;
  o.ShowTodayTasksEmpty = s.ShowTodayTasksEmpty;
  o.TaskDateType = s.TaskDateType;
  return o;
}

// The window takes the measured markup, less the height of one more line of
// text that the last "<br>" adds, and at least 100 pixels of width.
void SizeWindow(RefreshWindow& window, RefreshLabel& label, const Settings& s) {
  int width = 0;
  int height = 0;
  label.MeasureLines(width, height);
  height -= label.TextHeight("GH");
  if (s.ShowImpIcons) width += 16;
  if (width < 100) width = 100;
  window.SetClientSize(width, height);
}

}  // namespace

std::string LastReadHint(AutomationDate now, const FormatSettings& formats) {
  return "Lumivane\nLast Outlook data received at " + DateTimeText(now, formats);
}

std::string LastReadHint(AutomationDate now, const FormatSettings& formats,
                         std::size_t unreadFiles) {
  std::string hint = LastReadHint(now, formats);
  if (unreadFiles == 1) hint += "\n1 calendar file could not be read";
  if (unreadFiles > 1)
    hint += "\n" + std::to_string(unreadFiles) + " calendar files could not be read";
  return hint;
}

bool RefreshDisplay(RefreshWindow& window, RefreshLabel& label, const RefreshServices& services) {
  const Settings& s = services.settings;
  if (s.NoRefreshFullScreenApp && window.FullScreenAppActive()) return false;

  window.SetBusyCursor(true);
  const int rightEdge = window.Left() + window.Width();
  window.LockUpdates(true);

  // Whatever ends the refresh, the window, the tray, the menu and the session
  // are put back.
  struct CleanUp {
    RefreshWindow& window;
    const RefreshServices& services;
    int rightEdge;
    std::size_t unreadFiles = 0;
    ~CleanUp() {
      window.LockUpdates(false);
      services.session.Disconnect();
      window.SetTrayPicture(0);
      window.SetRefreshEnabled(true);
      window.SetTrayHint(LastReadHint(services.clock(), services.formats, unreadFiles));
      if (services.settings.Align == 1 && window.Left() + window.Width() != rightEdge) {
        window.SetLeft(rightEdge - window.Width());
      }
      window.SetBusyCursor(false);
    }
  } cleanUp{window, services, rightEdge, 0};

  window.SetRefreshEnabled(false);
  window.SetTrayPicture(1);
  if (window.ScreenBitsPerPixel() == 32) window.SetAlphaLevel(s.AlphaLevel);
  window.SetTrayHint("Reading Data...");

  const AutomationDate now = services.clock();
  const ComposeInputs inputs{s, services.language, services.formats, now, label.FontPointSize()};
  services.session.Connect();
  label.SetIgnoreClearType(s.IgnoreClearType);
  label.SetLinkColorToFontColor();
  label.ClearLines();

  std::shared_ptr<NameSpace> ns;
  ComposeDisplay(
      inputs,
      [&](const AppointmentConsumer& take) {
        ns = ns ? ns : services.session.GetNamespace("MAPI");
        CalendarQuery(*ns, CalendarOptionsOf(s), services.formats, now, take);
      },
      [&](const TaskConsumer& take) {
        ns = ns ? ns : services.session.GetNamespace("MAPI");
        TaskQuery(*ns, TaskOptionsOf(s), now, take);
      },
      [&](std::string line) { label.AddLine(line); });

  SizeWindow(window, label, s);
  // What the server could not read is told once per changed file; the rest
  // is shown.
  StoreReadReport report = services.session.TakeReadReport();
  cleanUp.unreadFiles = report.filesWithProblems;
  if (!report.newProblems.empty()) window.ReportReadProblems(report.newProblems);
  return true;
}

}  // namespace lumivane
