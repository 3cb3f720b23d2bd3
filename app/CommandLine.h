#pragma once
// What the program was asked to do on its command line.
#include <string>
#include <vector>

namespace lumivane {

enum class RunMode {
  Window,           // the desktop window
  Markup,           // print the display markup of one refresh
  Text,             // print it as plain text
  Screenshot,       // render the display into a PNG file
  PrintSettings,    // print the loaded settings as the next save would write them
  MakeSampleStore,  // write a sample calendar store into a folder
  Autostart,        // switch starting at login on or off, or show it
  Help,
  Version,
};

struct CommandLine {
  RunMode mode = RunMode::Window;
  bool hidden = false;   // no tray icon
  bool noCache = false;  // parse the store, neither reading nor writing snapshots
  std::string argument;  // the file or folder of Screenshot and MakeSampleStore;
                         // on, off or status for Autostart
  std::string error;     // non-empty when the arguments could not be read
};

// `args` without the program's own name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();

// True for the modes that need no window, no lock and write nothing but
// their output.
inline bool IsHeadless(RunMode mode) {
  return mode != RunMode::Window && mode != RunMode::Help && mode != RunMode::Version &&
         mode != RunMode::Autostart;
}

}  // namespace lumivane
