#include "dialogs/OptionsPreview.h"

namespace lumivane {

std::string PreviewFontSize(int pointSize) {
  return pointSize - 1 > 5 ? std::to_string(pointSize - 1) : std::string("1");
}

namespace {

class PreviewBuilder {
 public:
  PreviewBuilder(const PreviewChoices& c, const PreviewWords& w)
      : c_(c),
        w_(w),
        s_(c.showShadow ? "<SHAD>" : ""),
        e_(c.showShadow ? "</SHAD>" : ""),
        fs_(PreviewFontSize(c.fontPointSize)) {
    if (c.indentOn) {
      const std::string spaces(static_cast<std::size_t>(c.indent > 0 ? c.indent : 0), ' ');
      (c.alignRight ? ir_ : il_) = spaces;
    }
    ad_ = c.showAllDay ? w.allDay : "";
  }

  std::vector<std::string> Build() {
    lines_.push_back(c_.alignRight ? "<P align=\"right\">" : "<P align=\"left\">");
    if (c_.showCalendar) Calendar();
    if (c_.showTasks) Tasks();
    return std::move(lines_);
  }

 private:
  // A line bracketed by the shadow tags.
  void Shadowed(const std::string& body) { lines_.push_back(s_ + body + e_); }

  void Calendar() {
    Shadowed("<IMG src=\"idx:1\" align=\"top\"> <U><B>" + w_.calendar + "</B></U><BR>");
    Shadowed("<b>" + (c_.useTodayTomorrow ? w_.today : w_.day1) + "</b><br>");
    AllDayItem("Buy Plane Tickets");
    Shadowed("<b>" + (c_.useTodayTomorrow ? w_.tomorrow : w_.day2) + "</b><br>");
    AllDayItem("Download latest build");
    TimedItem("Review Carlson Project", " 11:00 - 11:10 ", " 11:00 - ");
    TimedItem("Finish Smith Report", " 18:00 - 19:00 ", " 18:00 - ");
    Shadowed("<b>" + w_.day3 + "</b><br>");
    TimedItem("Call Grandma", " 10:00 - 10:05 ", " 10:00 - ");
  }

  void AllDayItem(const std::string& subject) {
    if (c_.showStartTime && !ad_.empty()) {
      Shadowed(il_ + "<font size=\"" + fs_ + "\"> " + ad_ + " - </font>");
      Shadowed(subject + ir_ + "<br>");
    } else {
      Shadowed(il_ + subject + ir_ + "<br>");
    }
  }

  void TimedItem(const std::string& subject, const std::string& withEnd,
                 const std::string& startOnly) {
    if (c_.showStartTime) {
      Shadowed(il_ + "<font size=\"" + fs_ + "\">" + (c_.showEndTime ? withEnd : startOnly) +
               "</font>");
      Shadowed(subject + ir_ + "<br>");
    } else {
      Shadowed(il_ + subject + ir_ + "<br>");
    }
  }

  void Tasks() {
    lines_.push_back("<BR>");
    Shadowed("<IMG src=\"idx:0\" align=\"top\"> <U><B>" + w_.tasks + "</B></U><BR>");
    if (c_.sortTasks == 1) {
      Shadowed(std::string(c_.showImpIcons ? "<IMG src=\"idx:2\" align=\"middle\"> " : "") +
               "Review Build Document<br>");
    }
    if (c_.showCompleted) {
      Shadowed(c_.showImpIcons ? "<IMG src=\"idx:4\" align=\"middle\"><s>Car Check-up</s><br>"
                               : "<s>Car Revision</s><br>");
    }
    DatedTask("Weekly Backup", "15/01/2004", ColorToText(c_.pastColor));
    if (c_.sortTasks == 0) {
      Shadowed(std::string(c_.showImpIcons ? "<IMG src=\"idx:2\" align=\"top\"> " : "") +
               "Review Build Document<br>");
    }
    DatedTask("Laura's Gift", "15/10/2005", ColorToText(c_.futureColor));
    DatedTask("Prepare Convention", "22/6/2005", ColorToText(c_.futureColor));
  }

  // A task with a date, in its date colour when the dialog asks for it.
  void DatedTask(const std::string& subject, const std::string& date, const std::string& color) {
    std::string prefix;
    if (c_.showTaskDate) {
      prefix = c_.taskDateColor
                   ? "<font Color=\"#" + color + "\" size=\"" + fs_ + "\">" + date + " - </font>"
                   : "<font size=\"" + fs_ + "\">" + date + "</font> - ";
    }
    if (c_.showImpIcons) prefix = "<IMG src=\"idx:4\" align=\"middle\">" + prefix;
    if (c_.taskDateColor && c_.colorAllTask) {
      Shadowed(prefix + "<font Color=\"#" + color + "\">" + subject + "</font><br>");
    } else {
      Shadowed(prefix + subject + "<br>");
    }
  }

  const PreviewChoices& c_;
  const PreviewWords& w_;
  const std::string s_, e_, fs_;
  std::string il_, ir_, ad_;
  std::vector<std::string> lines_;
};

}  // namespace

std::vector<std::string> BuildPreviewMarkup(const PreviewChoices& choices,
                                            const PreviewWords& words) {
  return PreviewBuilder(choices, words).Build();
}

}  // namespace lumivane
