#include "display/RefreshDisplay.h"

#include <algorithm>

#include "display/DateTexts.h"
#include "display/DisplayComposer.h"
#include "display/TextRoutines.h"
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
  o.OpenOutlookItem = s.OpenOutlookItem;
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
  o.OpenOutlookItem = s.OpenOutlookItem;
  return o;
}

int MeasuredHeight(RefreshLabel& label, int& width) {
  int height = 0;
  label.MeasureLines(width, height);
  return height - label.TextHeight("GH");
}

// The window takes the measured markup, less the height of one more line of
// text that the last "<br>" adds, and at least 100 pixels of width.
void SizeWindow(RefreshWindow& window, const Settings& s, int width, int height) {
  if (s.ShowImpIcons) width += 16;
  if (width < 100) width = 100;
  window.SetClientSize(width, height);
}

void SizeWindow(RefreshWindow& window, RefreshLabel& label, const Settings& s) {
  int width = 0;
  const int height = MeasuredHeight(label, width);
  SizeWindow(window, s, width, height);
}

// A display taller than the window may be keeps its first lines and says in
// its last one how many items were left out; the markup engine cuts what is
// drawn at the window's bottom.
void SizeWindowCut(RefreshWindow& window, RefreshLabel& label, const Settings& s,
                   const std::vector<std::string>& lines, const std::vector<bool>& items) {
  int width = 0;
  int height = MeasuredHeight(label, width);
  const int room = window.MaxClientHeight();
  if (room <= 0 || height <= room || lines.size() < 2) {
    SizeWindow(window, s, width, height);
    return;
  }
  // The final "<br>" stays last; the lines before it are cut.
  const int total = static_cast<int>(lines.size()) - 1;
  auto show = [&](int count) {
    label.ClearLines();
    int hidden = 0;
    for (int i = count; i < total; ++i) hidden += items[static_cast<std::size_t>(i)] ? 1 : 0;
    for (int i = 0; i < count; ++i) label.AddLine(lines[static_cast<std::size_t>(i)]);
    label.AddLine(HiddenItemsLine(hidden));
    label.AddLine(lines.back());
  };
  auto fits = [&](int count) {
    show(count);
    int w = 0;
    return MeasuredHeight(label, w) <= room;
  };
  const int estimate = static_cast<int>(static_cast<long long>(total) * room / std::max(height, 1));
  show(LargestFittingCount(total, estimate, fits));
  height = MeasuredHeight(label, width);
  SizeWindow(window, s, width, height);
}

}  // namespace

std::string LastReadHint(AutomationDate now, const FormatSettings& formats) {
  return "Lumivane\nLast Outlook data received at " + DateTimeText(now, formats);
}

std::string HiddenItemsLine(int hiddenItems) {
  return "<i>... " + std::to_string(hiddenItems) +
         (hiddenItems == 1 ? " more item" : " more items") + " not shown</i><br>";
}

int LargestFittingCount(int total, int estimate, const std::function<bool(int)>& fits) {
  if (total < 1) return 1;
  int good = 0;         // fits (0: none known)
  int bad = total + 1;  // does not fit
  int probe = std::clamp(estimate, 1, total);
  // Gallop from the estimate until the cut lies between good and bad.
  for (int step = 1;; step *= 2) {
    if (fits(probe)) {
      good = probe;
      if (probe == total) return total;
      probe = std::min(total, probe + step);
    } else {
      bad = probe;
      if (probe == 1) return 1;
      probe = std::max(1, probe - step);
    }
    if (bad - good <= 1) return std::max(good, 1);
    if (good > 0 && bad <= total) break;
  }
  while (bad - good > 1) {
    const int middle = good + (bad - good) / 2;
    (fits(middle) ? good : bad) = middle;
  }
  return std::max(good, 1);
}

std::string RefreshFailureLine(const std::string& storePath) {
  return "The calendar could not be read (" + EscapeMarkup(storePath) +
         "); the tray icon's hint tells why.<br>";
}

void ShowRefreshFailure(RefreshWindow& window, RefreshLabel& label, const Settings& settings,
                        const std::string& storePath) {
  label.ClearLines();
  label.AddLine(RefreshFailureLine(storePath));
  label.AddLine("<br>");
  SizeWindow(window, label, settings);
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
  // Kept only where the window may have to cut them.
  const bool mayCut = window.MaxClientHeight() > 0;
  std::vector<std::string> lines;
  std::vector<bool> items;
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
      [&](std::string line, bool item) {
        if (!mayCut) {
          label.AddLine(std::move(line));
          return;
        }
        label.AddLine(line);
        lines.push_back(std::move(line));
        items.push_back(item);
      });

  SizeWindowCut(window, label, s, lines, items);
  // What the server could not read is told once per changed file; the rest
  // is shown.
  StoreReadReport report = services.session.TakeReadReport();
  cleanUp.unreadFiles = report.filesWithProblems;
  if (!report.newProblems.empty()) window.ReportReadProblems(report.newProblems);
  return true;
}

}  // namespace lumivane
