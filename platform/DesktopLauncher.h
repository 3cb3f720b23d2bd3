#pragma once
// Starts the user's default programs through GIO: the default application for
// text/calendar (the Calendar and Tasks folders, single items) and the
// handler of mailto: (the Inbox). Never through a shell.
#include <string>

#include "outlook/DesktopOpener.h"

namespace lumivane {

class DesktopLauncher final : public DesktopOpener {
 public:
  LaunchResult Launch(DesktopProgram program, const std::string& file) override;
};

}  // namespace lumivane
