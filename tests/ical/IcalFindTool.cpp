// Runs one Find/FindNext walk of the iCalendar server and prints every item,
// one a line, for the scripts that compare the server with an independent
// reader:
//
//   ical_find STORE calendar|tasks FILTER [--sort PROPERTY] [--descending]
//             [--recurrences]
//
// Filter dates are read as mm/dd/yyyy hh:nn. Dates print as
// YYYY-MM-DDTHH:MM:SS in local time (TZ); a task's missing date as "none".
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "base/AutomationDate.h"
#include "outlook/AutomationError.h"
#include "outlook/ical/IcalServer.h"

namespace {

class NoDesktop final : public lumivane::DesktopOpener {
 public:
  lumivane::LaunchResult Launch(lumivane::DesktopProgram, const std::string&) override {
    return {lumivane::LaunchStatus::NoDefaultProgram, {}};
  }
};

std::string DateText(lumivane::AutomationDate date) {
  if (date == lumivane::NoDate) return "none";
  const lumivane::CivilDate d = lumivane::DecodeDate(date);
  const lumivane::TimeOfDay t = lumivane::DecodeTime(date);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", d.year, d.month, d.day, t.hour,
                t.minute, t.second);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace lumivane;
  if (argc < 4) {
    std::cerr << "usage: ical_find STORE calendar|tasks FILTER [--sort P] [--descending] "
                 "[--recurrences]\n";
    return 2;
  }
  const std::string store = argv[1];
  const std::string folder = argv[2];
  const std::string filter = argv[3];
  std::string sort;
  bool descending = false;
  bool recurrences = false;
  for (int i = 4; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--sort" && i + 1 < argc) {
      sort = argv[++i];
    } else if (arg == "--descending") {
      descending = true;
    } else if (arg == "--recurrences") {
      recurrences = true;
    }
  }
  FormatSettings fs;
  fs.shortDateFormat = "mm/dd/yyyy";
  fs.dateSeparator = "/";
  fs.timeSeparator = ":";
  NoDesktop desktop;
  try {
    auto server = MakeIcalServerFactory(store, fs, desktop)();
    auto items = server->GetNamespace("MAPI")
                     ->GetDefaultFolder(folder == "tasks" ? kFolderTasks : kFolderCalendar)
                     ->Items();
    if (!sort.empty()) items->Sort(sort, descending);
    items->SetIncludeRecurrences(recurrences);
    for (auto item = items->Find(filter); item; item = items->FindNext()) {
      if (auto* a = item->QueryAppointmentItem()) {
        std::cout << DateText(a->Start()) << '\t' << DateText(a->End()) << '\t'
                  << (a->AllDayEvent() ? 1 : 0) << '\t' << a->Subject() << '\t' << a->Location()
                  << '\t' << a->Categories() << '\n';
      } else {
        _TaskItem& t = ToTaskItem(*item);
        std::cout << DateText(t.DueDate()) << '\t' << DateText(t.StartDate()) << '\t'
                  << (t.Complete() ? 1 : 0) << '\t' << t.Importance() << '\t' << t.Subject() << '\t'
                  << t.Categories() << '\n';
      }
    }
  } catch (const std::exception& e) {
    std::cerr << "ical_find: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
