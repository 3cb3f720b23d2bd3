#pragma once
// The pin timer's rule: in pin mode the window is raised above all others
// while the desktop is in front, and dropped back among ordinary windows at
// the first tick that finds another window active.

namespace lumivane {

enum class PinState { AtBottom, OnTop };

enum class PinAction {
  None,
  StopTimer,  // parent mode: the window lives on the desktop, nothing to keep up
  Raise,      // make the window topmost and show it
  Drop,       // end its topmost state, put it back among ordinary windows, show it
};

struct PinStep {
  PinState state;
  PinAction action;
};

// One tick of the pin timer: the state the window goes to and what to do.
PinStep PinTick(bool pinnedMode, PinState state, bool desktopActive);

}  // namespace lumivane
