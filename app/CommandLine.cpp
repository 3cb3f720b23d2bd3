#include "app/CommandLine.h"

#include "base/AsciiCase.h"

namespace lumivane {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool modeGiven = false;
  auto setMode = [&](RunMode mode, const std::string& option) {
    if (modeGiven) {
      line.error = "Only one of the modes can be given: " + option;
      return;
    }
    modeGiven = true;
    line.mode = mode;
  };
  for (size_t i = 0; i < args.size() && line.error.empty(); ++i) {
    const std::string& a = args[i];
    auto takeArgument = [&](RunMode mode) {
      setMode(mode, a);
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        line.error = a + " needs a path";
        return;
      }
      line.argument = args[++i];
    };
    // The historic switch: "\HIDDEN" as the first argument, in any case.
    if ((i == 0 && UpperCaseAscii(a) == "\\HIDDEN") || a == "--hidden") {
      line.hidden = true;
    } else if (a == "--no-cache") {
      line.noCache = true;
    } else if (a == "--markup") {
      setMode(RunMode::Markup, a);
    } else if (a == "--text") {
      setMode(RunMode::Text, a);
    } else if (a == "--screenshot") {
      takeArgument(RunMode::Screenshot);
    } else if (a == "--print-settings") {
      setMode(RunMode::PrintSettings, a);
    } else if (a == "--make-sample-store") {
      takeArgument(RunMode::MakeSampleStore);
    } else if (a == "--autostart") {
      setMode(RunMode::Autostart, a);
      const std::string choice = i + 1 < args.size() ? args[i + 1] : std::string();
      if (choice != "on" && choice != "off" && choice != "status") {
        if (line.error.empty()) line.error = "--autostart needs on, off or status";
      } else {
        line.argument = args[++i];
      }
    } else if (a == "--help" || a == "-h") {
      setMode(RunMode::Help, a);
    } else if (a == "--version") {
      setMode(RunMode::Version, a);
    } else {
      line.error = "Unknown argument: " + a;
    }
  }
  return line;
}

std::string UsageText() {
  return "Usage: lumivane [\\HIDDEN | --hidden] [MODE]\n"
         "\n"
         "Keeps a see-through window on the desktop with your coming appointments and open\n"
         "tasks, read from the calendar store.\n"
         "\n"
         "  \\HIDDEN, --hidden         run without the notification-area icon\n"
         "  --no-cache                parse the calendar store without the snapshots kept\n"
         "                            in $XDG_CACHE_HOME/lumivane (also LUMIVANE_NO_CACHE=1)\n"
         "\n"
         "Modes without a window (settings are only read; errors go to standard error):\n"
         "  --markup                  print the display markup of one refresh\n"
         "  --text                    print the display as plain text (an agenda)\n"
         "  --screenshot FILE.png     render the display as it would show into FILE.png\n"
         "  --print-settings          print the settings as the next save would write them\n"
         "  --make-sample-store DIR   write a sample calendar store dated around today\n"
         "  --autostart on|off|status start Lumivane when you log in, or not, or show which\n"
         "  --help                    show this help\n"
         "  --version                 show the version\n"
         "\n"
         "Settings: $XDG_CONFIG_HOME/Brennick/Lumivane.reg (default ~/.config).\n"
         "Calendar store: $LUMIVANE_OUTLOOK_STORE, else $XDG_DATA_HOME/Lumivane/Outlook\n"
         "(default ~/.local/share): .ics files and vdir folders, or a single .ics file.\n"
         "Start at login: $XDG_CONFIG_HOME/autostart/lumivane.desktop.\n";
}

}  // namespace lumivane
