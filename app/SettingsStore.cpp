#include "app/SettingsStore.h"

#include <sys/stat.h>

#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <variant>

#include "base/FileIo.h"
#include "display/SettingsTable.h"

namespace lumivane {
namespace {

constexpr std::string_view kLockWindow = "LockWindow";
constexpr std::string_view kDisplayFont = "DisplayFont";
constexpr std::string_view kLanguage = "Language";
constexpr std::string_view kWindowTop = "WindowTop";
constexpr std::string_view kWindowLeft = "WindowLeft";

// The kind of the record field a member pointer names.
template <typename Member>
using FieldOf = std::remove_cvref_t<decltype(std::declval<Settings&>().*std::declval<Member>())>;

std::string InvalidDataType(std::string_view name) {
  return "Invalid data type for '" + std::string(name) + "'";
}

std::string Warning(std::string_view name, std::string_view what, std::string_view used) {
  return std::string(name) + ": " + std::string(what) + ", using " + std::string(used);
}

// One record value, on its own guard: anything missing or unreadable keeps
// the default already in the record (colours take `defaultColor`). A value
// of the wrong kind or out of range is named in `warnings`.
void ReadRecordValue(const RegistryFile& store, const SettingRow& row, Settings& settings,
                     Color defaultColor, std::vector<std::string>& warnings) {
  const RegValue* found = store.Find(row.name);
  std::visit(
      [&](auto member) {
        using Member = decltype(member);
        if constexpr (!std::is_same_v<Member, std::monostate>) {
          using T = FieldOf<Member>;
          if constexpr (std::is_same_v<T, int>) {
            if (auto n = store.ReadDword(row.name)) {
              const int stored = static_cast<std::int32_t>(*n);
              settings.*member = ClampSetting(row, stored);
              if (settings.*member != stored) {
                warnings.push_back(Warning(row.name, std::to_string(stored) + " is out of range",
                                           std::to_string(settings.*member)));
              }
            } else if (found) {
              warnings.push_back(
                  Warning(row.name, "expected a number", std::to_string(settings.*member)));
            }
          } else if constexpr (std::is_same_v<T, bool>) {
            if (auto n = store.ReadDword(row.name)) {
              settings.*member = *n != 0;
            } else if (found) {
              warnings.push_back(
                  Warning(row.name, "expected a number", settings.*member ? "1" : "0"));
            }
          } else if constexpr (std::is_same_v<T, Color>) {
            const auto text = store.ReadString(row.name);
            settings.*member = (text && !text->empty()) ? TextToColor(*text) : defaultColor;
            if (!text && found) {
              warnings.push_back(Warning(row.name, "expected a text", ColorToText(defaultColor)));
            }
          } else {
            const auto text = store.ReadString(row.name);
            settings.*member = text.value_or(std::string());
            if (!text && found) warnings.push_back(Warning(row.name, "expected a text", "\"\""));
          }
        }
      },
      row.field);
}

void WriteRecordValue(RegistryFile& store, const SettingRow& row, const Settings& settings) {
  std::visit(
      [&](auto member) {
        using Member = decltype(member);
        if constexpr (!std::is_same_v<Member, std::monostate>) {
          using T = FieldOf<Member>;
          if constexpr (std::is_same_v<T, int>) {
            store.SetDword(row.name, static_cast<std::uint32_t>(settings.*member));
          } else if constexpr (std::is_same_v<T, bool>) {
            store.SetDword(row.name, settings.*member ? 1u : 0u);
          } else if constexpr (std::is_same_v<T, Color>) {
            store.SetString(row.name, ColorToText(settings.*member));
          } else {
            store.SetString(row.name, settings.*member);
          }
        }
      },
      row.field);
}

// The default of a colour value: the record's, or the desktop's colour for
// the background.
Color DefaultColorOf(const SettingRow& row, const LoadContext& context) {
  static const Settings defaults;
  if (row.name == "BackGroundColor") return context.desktopColor;
  if (const auto* member = std::get_if<Color Settings::*>(&row.field)) return defaults.**member;
  return clBlack;
}

// The values kept outside the record, read at their place in the order.
void ReadHeldValue(const RegistryFile& store, const SettingRow& row, const LoadContext& context,
                   LoadResult& result) {
  StoredSettings& stored = result.stored;
  if (row.name == kLockWindow) {
    if (auto n = store.ReadDword(kLockWindow)) stored.LockWindow = *n != 0;
  } else if (row.name == kDisplayFont) {
    // A missing value keeps the built-in font; one of another kind, or longer
    // than the font record, is reported and the built-in font kept. A shorter
    // one is a damaged value (padding it would make up a height): the
    // built-in font, and the value stays as stored.
    if (const RegValue* font = store.Find(kDisplayFont)) {
      if (font->kind == RegKind::Binary && font->bytes.size() == LogFontBytes{}.size()) {
        LogFontBytes bytes{};
        std::copy(font->bytes.begin(), font->bytes.end(), bytes.begin());
        stored.DisplayFont = bytes;
      } else if (font->kind == RegKind::Binary && font->bytes.size() < LogFontBytes{}.size()) {
        stored.DisplayFontDamaged = true;
      } else {
        result.errors.push_back(InvalidDataType(kDisplayFont));
      }
    }
  } else if (row.name == kLanguage) {
    const RegValue* language = store.Find(kLanguage);
    std::string name;
    if (language && language->kind == RegKind::String) {
      name = language->text;
    } else if (language) {
      result.errors.push_back(InvalidDataType(kLanguage));
    }
    stored.LanguageFile = LanguageFileFor(name, context);
  } else if (row.name == kWindowTop) {
    if (auto top = store.ReadDword(kWindowTop)) stored.WindowTop = static_cast<std::int32_t>(*top);
  } else if (row.name == kWindowLeft) {
    if (auto left = store.ReadDword(kWindowLeft)) {
      stored.WindowLeft = static_cast<std::int32_t>(*left);
    }
  }
}

void WriteHeldValue(RegistryFile& out, const SettingRow& row, const StoredSettings& stored) {
  if (row.name == kWindowTop) {
    out.SetDword(row.name, static_cast<std::uint32_t>(stored.WindowTop));
  } else if (row.name == kWindowLeft) {
    out.SetDword(row.name, static_cast<std::uint32_t>(stored.WindowLeft));
  } else if (row.name == kLockWindow) {
    out.SetDword(row.name, stored.LockWindow ? 1u : 0u);
  } else if (row.name == kLanguage) {
    out.SetString(row.name, LanguageNameOf(stored.LanguageFile));
  } else if (row.name == kDisplayFont && stored.DisplayFont) {
    out.SetBinary(row.name, {stored.DisplayFont->begin(), stored.DisplayFont->end()});
  }
}

std::string WriteStore(const std::string& path, const RegistryFile& store) {
  std::string text = store.Serialize();
  try {
    WriteFileAtomically(path, text);
  } catch (const std::exception& e) {
    throw std::runtime_error("Failed to set data for '" + path + "': " + e.what());
  }
  return text;
}

// The file's bytes; none when it is missing or cannot be read, and then
// `problem` (when given) says why a file that is there was not read. A path
// that cannot lead to a file (a folder on it replaced by a file) is a missing
// file, the first run.
std::optional<std::string> ReadSettingsBytes(const std::string& path, std::string* problem) {
  try {
    return ReadFileLimited(path, kMaxSettingsFileBytes);
  } catch (const FileError& e) {
    struct stat status {};
    if (problem != nullptr && ::stat(path.c_str(), &status) == 0) *problem = e.reason();
    return std::nullopt;
  }
}

}  // namespace

std::string SettingsFilePath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config && *config == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && *home ? home : ".") + "/.config";
  }
  return base + "/Brennick/Lumivane.reg";
}

LoadContext MakeLoadContext(std::string languagesFolder, bool compositionEnabled) {
  LoadContext context;
  context.compositionEnabled = compositionEnabled;
  context.languagesFolder = std::move(languagesFolder);
  context.fileExists = IsRegularFile;
  return context;
}

std::string LanguageFileFor(const std::string& language, const LoadContext& context) {
  const bool nameOnly = language.find('/') == std::string::npos &&
                        language.find("..") == std::string::npos &&
                        language.find('\0') == std::string::npos;
  if (!language.empty() && nameOnly) {
    const std::string path = context.languagesFolder + language + ".lvl";
    if (context.fileExists && context.fileExists(path)) return path;
  }
  return context.languagesFolder + "English.lvl";
}

std::string LanguageNameOf(const std::string& languageFile) {
  if (languageFile.empty()) return {};
  const size_t slash = languageFile.find_last_of('/');
  std::string name = slash == std::string::npos ? languageFile : languageFile.substr(slash + 1);
  return name.size() > 4 ? name.substr(0, name.size() - 4) : std::string();
}

LogFont StoredDisplayFont(const StoredSettings& stored) {
  return stored.DisplayFont ? DecodeLogFont(*stored.DisplayFont) : BuiltInDisplayFont();
}

void StoreDisplayFont(StoredSettings& stored, const QFont& font, const LogFont& base,
                      bool damaged) {
  const bool unchanged = FontFromLogFont(base) == font;
  stored.DisplayFontDamaged = damaged && unchanged;
  if (stored.DisplayFontDamaged) {
    stored.DisplayFont.reset();
  } else {
    stored.DisplayFont = EncodeLogFont(unchanged ? base : LogFontFromFont(font, base));
  }
}

LoadResult LoadSettings(const RegistryFile& store, const LoadContext& context) {
  LoadResult result;
  Settings& s = result.stored.settings;
  for (const SettingRow& row : SettingsReadOrder()) {
    if (row.held()) {
      ReadHeldValue(store, row, context, result);
      continue;
    }
    ReadRecordValue(store, row, s, DefaultColorOf(row, context), result.warnings);
    // The two sections are never both off.
    if (row.name == "ShowTaks" && !s.ShowTaks && !s.ShowCalendar) s.ShowCalendar = true;
  }
  if (context.compositionEnabled) s.UseVistaPin = true;
  return result;
}

LoadResult LoadSettingsFile(const std::string& path, const LoadContext& context) {
  std::string problem;
  std::optional<std::string> bytes = ReadSettingsBytes(path, &problem);
  RegistryFile store(kSettingsKey);
  if (bytes) store.Parse(*bytes);
  LoadResult result = LoadSettings(store, context);
  result.fileBytes = std::move(bytes);
  if (!problem.empty()) {
    result.errors.insert(result.errors.begin(),
                         "The settings file '" + path + "' is not read (" + problem +
                             "); the defaults are used and the file is kept as it is.");
  }
  return result;
}

RegistryFile ComposeSettingsForSave(const RegistryFile& previous, const StoredSettings& stored) {
  RegistryFile out(kSettingsKey);
  for (const SettingRow* row : SettingsWriteOrder()) {
    if (row->held()) {
      WriteHeldValue(out, *row, stored);
    } else {
      WriteRecordValue(out, *row, stored.settings);
    }
  }
  // Values of other programs' versions or added by hand are kept.
  for (const RegValue& value : previous.Values()) {
    if (!out.Find(value.name)) out.Set(value);
  }
  return out;
}

RegistryFile ReadSettingsFile(const std::string& path, std::string* problem) {
  // An unreadable store reads as an empty one: every value takes its default.
  RegistryFile store(kSettingsKey);
  if (auto bytes = ReadSettingsBytes(path, problem)) store.Parse(*bytes);
  return store;
}

namespace {

// The previous contents a save builds on; a file that is there but cannot be
// read is not replaced, or its values would be lost.
RegistryFile PreviousForSave(const std::string& path) {
  std::string problem;
  RegistryFile previous = ReadSettingsFile(path, &problem);
  if (!problem.empty()) {
    throw std::runtime_error("Failed to set data for '" + path + "': " + problem +
                             "; the file is kept as it is");
  }
  return previous;
}

}  // namespace

std::string WriteSettingsFile(const std::string& path, const StoredSettings& stored) {
  return WriteStore(path, ComposeSettingsForSave(PreviousForSave(path), stored));
}

std::string WriteWindowPosition(const std::string& path, int top, int left) {
  RegistryFile store = PreviousForSave(path);
  store.SetDword(kWindowTop, static_cast<std::uint32_t>(top));
  store.SetDword(kWindowLeft, static_cast<std::uint32_t>(left));
  return WriteStore(path, store);
}

}  // namespace lumivane
