#include "outlook/OutlookStore.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace lumivane {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  // Without HOME (a service or a stripped environment) the password database knows.
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return "/";
}

}  // namespace

std::string OutlookStorePath() {
  if (std::string store = Environment("LUMIVANE_OUTLOOK_STORE"); !store.empty()) return store;
  std::string data = Environment("XDG_DATA_HOME");
  // The XDG base directory rules ignore relative paths.
  if (data.empty() || data.front() != '/') data = HomeFolder() + "/.local/share";
  return data + "/Lumivane/Outlook";
}

bool OutlookIsRegistered() {
  std::error_code error;
  // Symbolic links are followed: a linked folder or file counts.
  const auto status = std::filesystem::status(OutlookStorePath(), error);
  return !error &&
         (std::filesystem::is_directory(status) || std::filesystem::is_regular_file(status));
}

std::string OutlookStoreHint() {
  const std::string path = OutlookStorePath();
  return "The calendar store is expected at " + path +
         " (a folder, or a single .ics file; LUMIVANE_OUTLOOK_STORE names another place).\n"
         "Make one with \"lumivane --make-sample-store " +
         path +
         "\", or create that folder and link an .ics file or a vdir folder of your calendar "
         "into it.";
}

}  // namespace lumivane
