#pragma once
// Starting at login: an XDG autostart entry, $XDG_CONFIG_HOME/autostart/
// lumivane.desktop (default ~/.config), that a desktop session runs once when
// the user logs in. The entry file itself is the switch: the state is read
// from it, never kept in the settings, so a change made by the desktop's own
// session settings is seen as well.
#include <string>

namespace lumivane {

// Where the entry lives.
std::string AutostartEntryPath();

// The entry that starts the program at `programPath`.
std::string AutostartEntryText(const std::string& programPath);
// `programPath` as one argument of an entry's Exec line: quoted and escaped
// when it holds anything beyond letters, digits and / . _ + -.
std::string DesktopExecArgument(const std::string& programPath);
// Whether an entry's text starts the program: not when the desktop marked it
// hidden or switched it off.
bool AutostartEntryEnables(const std::string& contents);

// Whether the entry exists and starts the program.
bool AutostartEnabled();
// Writes the entry (atomically, starting this program as it runs now) or
// removes it; removing a missing entry is no error. Throws FileError.
void SetAutostart(bool on);
void SetAutostart(bool on, const std::string& programPath);

}  // namespace lumivane
