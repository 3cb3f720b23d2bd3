#pragma once
// Starting the user's own programs: the calendar program for the Calendar and
// Tasks folders and for single items, the mail program for the Inbox. The
// session and the automation server only see this interface; the desktop
// implementation lives in the platform layer and tests put fakes in its place.
#include <string>

namespace lumivane {

enum class DesktopProgram {
  Calendar,  // the default application for text/calendar
  Mail,      // the default handler of mailto: addresses
};

enum class LaunchStatus {
  Started,
  NoDefaultProgram,  // the desktop names no program for this kind
  Failed,
};

struct LaunchResult {
  LaunchStatus status = LaunchStatus::Started;
  std::string error;  // the desktop's text when status is Failed
};

class DesktopOpener {
 public:
  virtual ~DesktopOpener() = default;
  // Starts the program; with an empty file without arguments, else with the file.
  virtual LaunchResult Launch(DesktopProgram program, const std::string& file) = 0;
};

}  // namespace lumivane
