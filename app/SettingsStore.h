#pragma once
// Loading and saving the Settings record and the few values held elsewhere
// (the lock check mark, the display font, the translation file, the window
// position) in the per-user store, driven by one table of the stored values.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "display/Settings.h"
#include "platform/LogFont.h"
#include "platform/RegistryFile.h"

namespace lumivane {

// Everything one load gives and one save writes.
struct StoredSettings {
  Settings settings;
  bool LockWindow = false;
  // The display font as the 60 bytes of a Windows LOGFONTA; none = the built-in font.
  std::optional<LogFontBytes> DisplayFont;
  // The stored DisplayFont was shorter than the font record: the built-in
  // font is used, and a save keeps the stored value as it is unless the font
  // is changed.
  bool DisplayFontDamaged = false;
  std::string LanguageFile;  // full path of the translation file
  int WindowTop = 1;
  int WindowLeft = 1;
};

struct LoadContext {
  Color desktopColor = RGB(1, 1, 1);  // BackGroundColor's default
  bool compositionEnabled = false;    // forces UseVistaPin on
  std::string languagesFolder;        // with a trailing "/"
  std::function<bool(const std::string&)> fileExists;
};

struct LoadResult {
  StoredSettings stored;
  // "Invalid data type for '...'" once per value that could not be read.
  std::vector<std::string> errors;
  // Record values of the wrong kind or out of range, once each, with what is
  // used instead ("CalendarDaysToDisplay: expected a number, using 5").
  std::vector<std::string> warnings;
  // The file's bytes as LoadSettingsFile read them; none when it is missing or
  // could not be read (what the window compares to notice an edit by hand).
  std::optional<std::string> fileBytes;
};

inline constexpr const char* kSettingsKey = "HKEY_CURRENT_USER\\Software\\Brennick\\Lumivane";
// A settings file larger than this is not read: its values take their
// defaults, a message says so, and saves leave the file as it is.
inline constexpr std::size_t kMaxSettingsFileBytes = std::size_t{1} << 20;

// $XDG_CONFIG_HOME/Brennick/Lumivane.reg (default ~/.config).
std::string SettingsFilePath();

// The context every mode loads with: a translation file counts when it is a
// regular file (links followed) in the Languages folder.
LoadContext MakeLoadContext(std::string languagesFolder, bool compositionEnabled);

// Reads every value in the table's order; a value that is missing, of
// another kind or damaged takes its default. WindowTop and WindowLeft are
// read too, for RestoreWindowPosition.
LoadResult LoadSettings(const RegistryFile& store, const LoadContext& context);
// The same from the store file (missing: every default; unreadable, too
// large or not a regular file: every default and a message in `errors`).
LoadResult LoadSettingsFile(const std::string& path, const LoadContext& context);

// The store's contents after a save: every value in the writing order, then
// the values of the previous contents that the program does not know, kept.
RegistryFile ComposeSettingsForSave(const RegistryFile& previous, const StoredSettings& stored);

// The Language rule: Languages folder + name + ".lvl" when that file exists,
// else Languages folder + "English.lvl". Only a name is taken: one with "/"
// or ".." in it would reach outside the folder and gives "English.lvl".
std::string LanguageFileFor(const std::string& language, const LoadContext& context);
// The file name of the path without folder and extension; empty for an empty path.
std::string LanguageNameOf(const std::string& languageFile);

// The font record a load gave: the stored one, else the built-in font.
LogFont StoredDisplayFont(const StoredSettings& stored);
// Puts the display font into the record for a save or an apply. `base` is the
// font record the font was shown from and `damaged` whether its stored value
// was damaged. An unchanged font writes `base` again (what the Qt font does
// not model stays), and a damaged value stays as stored; a changed font is
// written over `base` and ends the damage.
void StoreDisplayFont(StoredSettings& stored, const QFont& font, const LogFont& base, bool damaged);

// Reads the store file (missing = empty store, damaged lines skipped). A file
// that exists but cannot be read reads as an empty store; `problem`, when
// given, then receives the reason.
RegistryFile ReadSettingsFile(const std::string& path, std::string* problem = nullptr);
// Writes the whole record; throws std::runtime_error "Failed to set data for '<file>': <reason>",
// leaving the previous file intact. A file that exists but cannot be read
// (too large, not a regular file) is not replaced: its values would be lost.
// Returns the bytes written.
std::string WriteSettingsFile(const std::string& path, const StoredSettings& stored);
// Writes WindowTop and WindowLeft alone, keeping every other value as stored.
std::string WriteWindowPosition(const std::string& path, int top, int left);

}  // namespace lumivane
