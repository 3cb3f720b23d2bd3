#pragma once
// Where the calendar store lives. The automation server counts as installed
// exactly when its store root exists (a folder, or a single .ics file).
#include <string>

namespace lumivane {

// $LUMIVANE_OUTLOOK_STORE, else $XDG_DATA_HOME/Lumivane/Outlook, with
// XDG_DATA_HOME defaulting to ~/.local/share.
std::string OutlookStorePath();

// True when the store root at OutlookStorePath() exists.
bool OutlookIsRegistered();

// Two lines for the message shown when the store is missing: where it is
// expected and how to make one.
std::string OutlookStoreHint();

}  // namespace lumivane
