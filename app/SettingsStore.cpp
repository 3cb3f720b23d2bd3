#include "app/SettingsStore.h"

#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <variant>

namespace lumivane {
namespace {

// How one stored value maps onto the record.
using Field = std::variant<int Settings::*, bool Settings::*, Color Settings::*,
                           std::string Settings::*>;

struct StoredValue {
  std::string_view name;
  Field field;
  int maximum = 0;  // 0: no clamp
};

// Values held in the record, in the order LoadSettings reads them. The values
// held elsewhere (LockWindow, DisplayFont, Language) are read at their place
// in this order by LoadSettings itself.
constexpr std::string_view kLockWindow = "LockWindow";
constexpr std::string_view kDisplayFont = "DisplayFont";
constexpr std::string_view kLanguage = "Language";
constexpr std::string_view kWindowTop = "WindowTop";
constexpr std::string_view kWindowLeft = "WindowLeft";

const std::vector<StoredValue>& RecordValues() {
  static const std::vector<StoredValue> table = {
      {"RefreshEvery", &Settings::RefreshEvery, 300},
      {"RefreshType", &Settings::RefreshType},
      {"ShowWelcomeWindow", &Settings::ShowWelcomeWindow},
      {"Align", &Settings::Align},
      {"SnapToDesktop", &Settings::SnapToDesktop},
      {"ShowCalendar", &Settings::ShowCalendar},
      {"OpenOutlookItem", &Settings::OpenOutlookItem},
      {"AlwaysShowCalDate", &Settings::AlwaysShowCalDate},
      {"ShowCalendarTime", &Settings::ShowCalendarTime},
      {"NoRefreshFullScreenApp", &Settings::NoRefreshFullScreenApp},
      {"HTMLSubject", &Settings::HTMLSubject},
      {"MaxSubjectSize", &Settings::MaxSubjectSize},
      {"IgnoreClearType", &Settings::IgnoreClearType},
      {"ShowCurrentTaskIndicator", &Settings::ShowCurrentTaskIndicator},
      {"UseTodayTomorrow", &Settings::UseTodayTomorrow},
      {"DontDisplayCalIfEmpty", &Settings::DontDisplayCalIfEmpty},
      {"DontDisplayTasksIfEmpty", &Settings::DontDisplayTasksIfEmpty},
      {"CalendarDaysToDisplay", &Settings::CalendarDaysToDisplay, 90},
      {"ShowTaks", &Settings::ShowTaks},
      {"ShowTaskDate", &Settings::ShowTaskDate},
      {"TaskDateType", &Settings::TaskDateType},
      {"ShowCompletedTaks", &Settings::ShowCompletedTaks},
      {"ShowPreciseCalendar", &Settings::ShowPreciseCalendar},
      {"ShowLocation", &Settings::ShowLocation},
      {"FontColor", &Settings::FontColor},
      {"ShowTaskDateColor", &Settings::ShowTaskDateColor},
      {"ColorAllTask", &Settings::ColorAllTask},
      {"TaskDueColor", &Settings::TaskDueColor},
      {"TaskFutureColor", &Settings::TaskFutureColor},
      {"TaskDueTodayColor", &Settings::TaskDueTodayColor},
      {"ShowShadow", &Settings::ShowShadow},
      {"ShadowColor", &Settings::ShadowColor},
      {"ShowAllDay", &Settings::ShowAllDay},
      {"AlphaLevel", &Settings::AlphaLevel},
      {"ShowTodayTasks", &Settings::ShowTodayTasks},
      {"ShowTodayTasksEmpty", &Settings::ShowTodayTasksEmpty},
      {"ShowEndTime", &Settings::ShowEndTime},
      {"CalIgnoreWeekends", &Settings::CalIgnoreWeekends},
      {"ShowImpIcons", &Settings::ShowImpIcons},
      {"Indent", &Settings::Indent},
      {"SortTasks", &Settings::SortTasks},
      {"CalendarCategories", &Settings::CalendarCategories},
      {"TasksCategories", &Settings::TasksCategories},
      {"TaskSortDirection", &Settings::TaskSortDirection},
      {"ShowCalCategories", &Settings::ShowCalCategories},
      {"ShowTaskCategories", &Settings::ShowTaskCategories},
      {"BackGroundColor", &Settings::BackGroundColor},
      {"RefreshHotkey", &Settings::RefreshHotkey},
      {"UseVistaPin", &Settings::UseVistaPin},
  };
  return table;
}

// The order SaveSettings writes in.
constexpr std::string_view kWriteOrder[] = {
    "WindowTop", "WindowLeft", "RefreshHotkey", "RefreshEvery", "RefreshType", "Align",
    "SnapToDesktop", "ShowWelcomeWindow", "ShowCalendar", "ShowCalendarTime",
    "CalIgnoreWeekends", "NoRefreshFullScreenApp", "HTMLSubject", "MaxSubjectSize",
    "IgnoreClearType", "ShowCurrentTaskIndicator", "UseTodayTomorrow", "DontDisplayCalIfEmpty",
    "DontDisplayTasksIfEmpty", "CalendarDaysToDisplay", "ShowLocation", "ShowTaks",
    "ShowTaskDate", "ShowCompletedTaks", "UseVistaPin", "FontColor", "DisplayFont", "Language",
    "ShowTaskDateColor", "ColorAllTask", "TaskDueColor", "TaskFutureColor", "TaskDueTodayColor",
    "ShowShadow", "ShadowColor", "ShowAllDay", "AlphaLevel", "TaskDateType", "ShowTodayTasks",
    "ShowTodayTasksEmpty", "ShowPreciseCalendar", "LockWindow", "ShowEndTime", "Indent",
    "ShowImpIcons", "SortTasks", "CalendarCategories", "TasksCategories", "TaskSortDirection",
    "ShowCalCategories", "ShowTaskCategories", "OpenOutlookItem", "AlwaysShowCalDate",
    "BackGroundColor"};

const StoredValue* RecordValue(std::string_view name) {
  for (const StoredValue& v : RecordValues()) {
    if (v.name == name) return &v;
  }
  return nullptr;
}

std::string InvalidDataType(std::string_view name) {
  return "Invalid data type for '" + std::string(name) + "'";
}

// One record value, on its own guard: anything unreadable keeps the default
// already in the record.
void ReadRecordValue(const RegistryFile& store, const StoredValue& value, Settings& settings,
                     Color defaultColor) {
  std::visit(
      [&](auto member) {
        using T = std::remove_cvref_t<decltype(settings.*member)>;
        if constexpr (std::is_same_v<T, int>) {
          if (auto n = store.ReadDword(value.name)) {
            int number = static_cast<int>(static_cast<std::int32_t>(*n));
            if (value.maximum > 0 && number > value.maximum) number = value.maximum;
            settings.*member = number;
          }
        } else if constexpr (std::is_same_v<T, bool>) {
          if (auto n = store.ReadDword(value.name)) settings.*member = *n != 0;
        } else if constexpr (std::is_same_v<T, Color>) {
          const auto text = store.ReadString(value.name);
          settings.*member = (text && !text->empty()) ? TextToColor(*text) : defaultColor;
        } else {
          settings.*member = store.ReadString(value.name).value_or(std::string());
        }
      },
      value.field);
}

void WriteRecordValue(RegistryFile& store, const StoredValue& value, const Settings& settings) {
  std::visit(
      [&](auto member) {
        using T = std::remove_cvref_t<decltype(settings.*member)>;
        if constexpr (std::is_same_v<T, int>) {
          store.SetDword(value.name, static_cast<std::uint32_t>(settings.*member));
        } else if constexpr (std::is_same_v<T, bool>) {
          store.SetDword(value.name, settings.*member ? 1u : 0u);
        } else if constexpr (std::is_same_v<T, Color>) {
          store.SetString(value.name, ColorToText(settings.*member));
        } else {
          store.SetString(value.name, settings.*member);
        }
      },
      value.field);
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

std::string LanguageFileFor(const std::string& language, const LoadContext& context) {
  if (!language.empty()) {
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

LoadResult LoadSettings(const RegistryFile& store, const LoadContext& context) {
  LoadResult result;
  StoredSettings& stored = result.stored;
  Settings& s = stored.settings;
  const Settings defaults;

  for (const StoredValue& value : RecordValues()) {
    const Color defaultColor = value.name == "BackGroundColor" ? context.desktopColor
                               : std::holds_alternative<Color Settings::*>(value.field)
                                   ? defaults.*std::get<Color Settings::*>(value.field)
                                   : clBlack;
    ReadRecordValue(store, value, s, defaultColor);

    if (value.name == "ShowCalendarTime") {
      if (auto n = store.ReadDword(kLockWindow)) stored.LockWindow = *n != 0;
    } else if (value.name == "ShowTaks") {
      if (!s.ShowTaks && !s.ShowCalendar) s.ShowCalendar = true;
    } else if (value.name == "ShowLocation") {
      // DisplayFont: a missing value keeps the built-in font; one of another
      // kind, or longer than 60 bytes, is reported and the built-in font kept.
      if (const RegValue* font = store.Find(kDisplayFont)) {
        if (font->kind == RegKind::Binary && font->bytes.size() <= 60) {
          LogFontBytes bytes{};
          std::copy(font->bytes.begin(), font->bytes.end(), bytes.begin());
          stored.DisplayFont = bytes;
        } else {
          result.errors.push_back(InvalidDataType(kDisplayFont));
        }
      }
    } else if (value.name == "FontColor") {
      const RegValue* language = store.Find(kLanguage);
      std::string name;
      if (language && language->kind == RegKind::String) {
        name = language->text;
      } else if (language) {
        result.errors.push_back(InvalidDataType(kLanguage));
      }
      stored.LanguageFile = LanguageFileFor(name, context);
    }
  }
  if (context.compositionEnabled) s.UseVistaPin = true;

  if (auto top = store.ReadDword(kWindowTop)) stored.WindowTop = static_cast<std::int32_t>(*top);
  if (auto left = store.ReadDword(kWindowLeft)) stored.WindowLeft = static_cast<std::int32_t>(*left);
  return result;
}

RegistryFile ComposeSettingsForSave(const RegistryFile& previous, const StoredSettings& stored) {
  RegistryFile out(kSettingsKey);
  for (std::string_view name : kWriteOrder) {
    if (const StoredValue* value = RecordValue(name)) {
      WriteRecordValue(out, *value, stored.settings);
    } else if (name == kWindowTop) {
      out.SetDword(name, static_cast<std::uint32_t>(stored.WindowTop));
    } else if (name == kWindowLeft) {
      out.SetDword(name, static_cast<std::uint32_t>(stored.WindowLeft));
    } else if (name == kLockWindow) {
      out.SetDword(name, stored.LockWindow ? 1u : 0u);
    } else if (name == kLanguage) {
      out.SetString(name, LanguageNameOf(stored.LanguageFile));
    } else if (name == kDisplayFont) {
      if (stored.DisplayFont) {
        out.SetBinary(name, {stored.DisplayFont->begin(), stored.DisplayFont->end()});
      }
    }
  }
  // Values of other programs' versions or added by hand are kept.
  for (const RegValue& value : previous.Values()) {
    if (!out.Find(value.name)) out.Set(value);
  }
  return out;
}

RegistryFile ReadSettingsFile(const std::string& path) {
  RegistryFile store(kSettingsKey);
  try {
    if (auto bytes = ReadWholeFile(path)) store.Parse(*bytes);
  } catch (const std::exception&) {
    // An unreadable store reads as an empty one: every value takes its default.
  }
  return store;
}

void WriteSettingsFile(const std::string& path, const StoredSettings& stored) {
  RegistryFile previous = ReadSettingsFile(path);
  const RegistryFile next = ComposeSettingsForSave(previous, stored);
  try {
    WriteFileAtomically(path, next.Serialize());
  } catch (const std::exception& e) {
    throw std::runtime_error("Failed to set data for '" + path + "': " + e.what());
  }
}

void WriteWindowPosition(const std::string& path, int top, int left) {
  RegistryFile store = ReadSettingsFile(path);
  store.SetDword(kWindowTop, static_cast<std::uint32_t>(top));
  store.SetDword(kWindowLeft, static_cast<std::uint32_t>(left));
  try {
    WriteFileAtomically(path, store.Serialize());
  } catch (const std::exception& e) {
    throw std::runtime_error("Failed to set data for '" + path + "': " + e.what());
  }
}

}  // namespace lumivane
