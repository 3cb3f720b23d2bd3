#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/SettingsFixtures.h"
#include "app/SettingsStore.h"
#include "display/SettingsTable.h"
#include "support/TempFolder.h"

namespace lumivane {
namespace {

using test::Context;
using test::Store;

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The files a save writes were captured once; the table must reproduce them
// byte for byte, for the first run and for a file with every value set (in
// another order, with a value of a newer version, clamps and escapes).
TEST(SettingsStore, SavedFilesAreByteForByteTheCapturedOnes) {
  const std::string folder = std::string(LUMIVANE_TEST_DATA) + "/settings/";
  const struct {
    std::string input;
    std::string expected;
  } cases[] = {{folder + "none.reg", folder + "defaults.expected.reg"},
               {folder + "every-value.reg", folder + "every-value.expected.reg"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    LoadContext context = MakeLoadContext("/opt/lumivane/Languages/", false);
    context.fileExists = [](const std::string& path) { return path.ends_with("/German.lvl"); };
    const RegistryFile previous = ReadSettingsFile(c.input);
    LoadResult loaded = LoadSettings(previous, context);
    EXPECT_TRUE(loaded.errors.empty());
    if (!loaded.stored.DisplayFont) loaded.stored.DisplayFont = EncodeLogFont(BuiltInDisplayFont());
    const std::string expected = ReadText(c.expected);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(ComposeSettingsForSave(previous, loaded.stored).Serialize(), expected);
  }
}

TEST(SettingsTable, EveryValueOnceWithItsOwnWritePosition) {
  const auto& table = SettingsReadOrder();
  std::set<std::string_view> names;
  std::set<int> positions;
  int held = 0;
  for (const SettingRow& row : table) {
    names.insert(row.name);
    positions.insert(row.writePosition);
    held += row.held() ? 1 : 0;
    EXPECT_EQ(FindSetting(row.name), &row);
  }
  EXPECT_EQ(names.size(), table.size());
  EXPECT_EQ(held, 5);
  // Positions 1..N, each once.
  ASSERT_EQ(positions.size(), table.size());
  EXPECT_EQ(*positions.begin(), 1);
  EXPECT_EQ(*positions.rbegin(), static_cast<int>(table.size()));
  EXPECT_EQ(SettingsWriteOrder().front()->name, "WindowTop");
  EXPECT_EQ(FindSetting("Nonsense"), nullptr);
  EXPECT_EQ(ClampSetting(*FindSetting("RefreshEvery"), 1000), 300);
  EXPECT_EQ(ClampSetting(*FindSetting("RefreshEvery"), -5), -5);
}

TEST(SettingsStore, FirstRunGivesEveryDefaultAndTheSaveWritesEveryValue) {
  const LoadResult loaded = LoadSettings(Store(""), Context());
  EXPECT_TRUE(loaded.errors.empty());
  const Settings& s = loaded.stored.settings;
  const Settings defaults;
  EXPECT_EQ(s.RefreshEvery, 1);
  EXPECT_EQ(s.CalendarDaysToDisplay, 5);
  EXPECT_EQ(s.Indent, -1);
  EXPECT_EQ(s.TaskDueColor, RGB(255, 140, 140));
  EXPECT_EQ(s.FontColor, clWhite);
  EXPECT_EQ(s.BackGroundColor, RGB(0x3A, 0x6E, 0xA5));
  EXPECT_TRUE(s.ShowWelcomeWindow);
  EXPECT_FALSE(loaded.stored.DisplayFont);
  EXPECT_EQ(loaded.stored.LanguageFile, "/opt/lumivane/Languages/English.lvl");

  StoredSettings stored = loaded.stored;
  stored.DisplayFont = LogFontBytes{};
  const RegistryFile saved = ComposeSettingsForSave(Store(""), stored);
  EXPECT_EQ(saved.Values().size(), 54u);
  EXPECT_EQ(saved.Values().front().name, "WindowTop");
  EXPECT_EQ(saved.Values().back().name, "BackGroundColor");
  EXPECT_EQ(saved.ReadString("BackGroundColor"), "3A6EA5");
  EXPECT_EQ(saved.ReadString("Language"), "English");
  EXPECT_EQ(saved.ReadString("TaskDueColor"), "FF8C8C");
  EXPECT_EQ(saved.ReadDword("ShowWelcomeWindow"), 1u);
  EXPECT_EQ(saved.ReadDword("Indent"), 0xFFFFFFFFu);

  // What was written reads back as the same record.
  const LoadResult again = LoadSettings(saved, Context());
  EXPECT_EQ(ComposeSettingsForSave(Store(""), again.stored).Serialize(),
            ComposeSettingsForSave(Store(""), stored).Serialize());
}

TEST(SettingsStore, ClampsApplyOnlyAbove) {
  Settings s = LoadSettings(Store("\"RefreshEvery\"=dword:000003e8\n"
                                  "\"CalendarDaysToDisplay\"=dword:0000016d\n"),
                            Context())
                   .stored.settings;
  EXPECT_EQ(s.RefreshEvery, 300);
  EXPECT_EQ(s.CalendarDaysToDisplay, 90);
  s = LoadSettings(Store("\"RefreshEvery\"=dword:00000000\n"
                         "\"CalendarDaysToDisplay\"=dword:fffffffd\n"),
                   Context())
          .stored.settings;
  EXPECT_EQ(s.RefreshEvery, 0);
  EXPECT_EQ(s.CalendarDaysToDisplay, -3);
}

TEST(SettingsStore, NeitherSectionShownBringsTheCalendarBack) {
  const Settings s =
      LoadSettings(Store("\"ShowTaks\"=dword:0\n\"ShowCalendar\"=dword:0\n"), Context())
          .stored.settings;
  EXPECT_FALSE(s.ShowTaks);
  EXPECT_TRUE(s.ShowCalendar);
}

TEST(SettingsStore, BooleansReadAnyNonZeroAndAreWrittenAsOne) {
  const StoredSettings stored =
      LoadSettings(Store("\"ShowShadow\"=dword:00000007\n\"LockWindow\"=dword:00000002\n"),
                   Context())
          .stored;
  EXPECT_TRUE(stored.settings.ShowShadow);
  EXPECT_TRUE(stored.LockWindow);
  const RegistryFile saved = ComposeSettingsForSave(Store(""), stored);
  EXPECT_EQ(saved.ReadDword("ShowShadow"), 1u);
  EXPECT_EQ(saved.ReadDword("LockWindow"), 1u);
}

TEST(SettingsStore, ValuesOfAnotherKindTakeTheirDefault) {
  const LoadResult loaded = LoadSettings(Store("\"RefreshEvery\"=\"12\"\n"
                                               "\"ShowShadow\"=\"1\"\n"
                                               "\"TaskDueColor\"=dword:00ff0000\n"
                                               "\"CalendarCategories\"=dword:1\n"),
                                         Context());
  EXPECT_TRUE(loaded.errors.empty());
  EXPECT_EQ(loaded.stored.settings.RefreshEvery, 1);
  EXPECT_FALSE(loaded.stored.settings.ShowShadow);
  EXPECT_EQ(loaded.stored.settings.TaskDueColor, RGB(255, 140, 140));
  EXPECT_EQ(loaded.stored.settings.CalendarCategories, "");
}

TEST(SettingsStore, WrongKindsAndValuesOutOfRangeAreNamedOnceWithWhatIsUsed) {
  const LoadResult loaded = LoadSettings(Store("\"CalendarDaysToDisplay\"=\"many\"\n"
                                               "\"RefreshEvery\"=dword:000003e8\n"
                                               "\"ShowShadow\"=\"1\"\n"
                                               "\"TaskDueColor\"=dword:00ff0000\n"
                                               "\"CalendarCategories\"=dword:1\n"
                                               "\"AlphaLevel\"=dword:00000080\n"),
                                         Context());
  EXPECT_TRUE(loaded.errors.empty());
  const std::vector<std::string> expected = {
      "CalendarDaysToDisplay: expected a number, using 5",
      "RefreshEvery: 1000 is out of range, using 300",
      "ShowShadow: expected a number, using 0",
      "TaskDueColor: expected a text, using FF8C8C",
      "CalendarCategories: expected a text, using \"\"",
  };
  for (const std::string& warning : expected) {
    EXPECT_EQ(std::count(loaded.warnings.begin(), loaded.warnings.end(), warning), 1) << warning;
  }
  // Values that are fine, or missing, are not named.
  EXPECT_EQ(loaded.warnings.size(), expected.size());
  EXPECT_TRUE(LoadSettings(Store(""), Context()).warnings.empty());
}

TEST(SettingsStore, FontAndLanguageOfTheWrongKindAreReportedOnceAndLoadingGoesOn) {
  const LoadResult loaded = LoadSettings(Store("\"DisplayFont\"=\"Arial\"\n"
                                               "\"Language\"=dword:00000001\n"
                                               "\"AlphaLevel\"=dword:00000080\n"),
                                         Context({"/opt/lumivane/Languages/Deutsch.lvl"}));
  ASSERT_EQ(loaded.errors.size(), 2u);
  EXPECT_EQ(loaded.errors[0], "Invalid data type for 'DisplayFont'");
  EXPECT_EQ(loaded.errors[1], "Invalid data type for 'Language'");
  EXPECT_FALSE(loaded.stored.DisplayFont);
  EXPECT_EQ(loaded.stored.LanguageFile, "/opt/lumivane/Languages/English.lvl");
  // Values after the bad ones are still read.
  EXPECT_EQ(loaded.stored.settings.AlphaLevel, 128);

  std::string longFont = "\"DisplayFont\"=hex:00";
  for (int i = 0; i < 60; ++i) longFont += ",00";
  EXPECT_EQ(LoadSettings(Store(longFont + "\n"), Context()).errors.size(), 1u);
}

TEST(SettingsStore, ColourValues) {
  const Settings s = LoadSettings(Store("\"TaskDueColor\"=\"#00ff00\"\n"
                                        "\"TaskFutureColor\"=\"Highlight\"\n"
                                        "\"TaskDueTodayColor\"=\"highlight\"\n"
                                        "\"ShadowColor\"=\"\"\n"
                                        "\"FontColor\"=\"\"\n"
                                        "\"BackGroundColor\"=\"1F\"\n"),
                                  Context())
                         .stored.settings;
  EXPECT_EQ(s.TaskDueColor, RGB(0, 255, 0));
  EXPECT_EQ(s.TaskFutureColor, SystemColor(13));
  EXPECT_EQ(s.TaskDueTodayColor, clBlack);
  EXPECT_EQ(s.ShadowColor, clBlack);
  EXPECT_EQ(s.FontColor, clWhite);
  EXPECT_EQ(s.BackGroundColor, clBlack);
}

TEST(ColorText, WritesNamesAndHexAndReadsThemBack) {
  EXPECT_EQ(ColorToText(RGB(255, 140, 140)), "FF8C8C");
  EXPECT_EQ(ColorToText(SystemColor(13)), "Highlight");
  EXPECT_EQ(ColorToText(SystemColor(24)), "InfoBackground");
  // A system colour number without a name is written as hex of the low bytes.
  EXPECT_EQ(ColorToText(SystemColor(30)), "1E0000");
  for (int i = 0; i < kSystemColorCount; ++i) {
    EXPECT_EQ(TextToColor(ColorToText(SystemColor(i))), SystemColor(i));
  }
  EXPECT_EQ(TextToColor("#0a0B0cFFFF"), RGB(10, 11, 12));
  EXPECT_EQ(TextToColor("12345G"), clBlack);
  EXPECT_EQ(TextToColor(""), clBlack);
  EXPECT_EQ(TextToColor("#"), clBlack);
}

TEST(SettingsStore, LanguageRule) {
  const LoadContext context = Context({"/opt/lumivane/Languages/Deutsch.lvl"});
  EXPECT_EQ(LoadSettings(Store("\"Language\"=\"Deutsch\"\n"), context).stored.LanguageFile,
            "/opt/lumivane/Languages/Deutsch.lvl");
  const StoredSettings missing = LoadSettings(Store("\"Language\"=\"Klingon\"\n"), context).stored;
  EXPECT_EQ(missing.LanguageFile, "/opt/lumivane/Languages/English.lvl");
  EXPECT_EQ(ComposeSettingsForSave(Store(""), missing).ReadString("Language"), "English");
  EXPECT_EQ(LanguageNameOf(""), "");
  EXPECT_EQ(LanguageNameOf("/x/Fran\xC3\xA7"
                           "ais.lvl"),
            "Fran\xC3\xA7"
            "ais");
}

TEST(SettingsStore, ValuesTheProgramDoesNotKnowAreKept) {
  const RegistryFile previous = Store("\"FutureOption\"=dword:00000003\n\"Note\"=\"keep me\"\n");
  const RegistryFile saved =
      ComposeSettingsForSave(previous, LoadSettings(previous, Context()).stored);
  EXPECT_EQ(saved.ReadDword("FutureOption"), 3u);
  EXPECT_EQ(saved.ReadString("Note"), "keep me");
}

TEST(SettingsStore, CompositionForcesPinMode) {
  LoadContext context = Context();
  context.compositionEnabled = true;
  EXPECT_TRUE(
      LoadSettings(Store("\"UseVistaPin\"=dword:0\n"), context).stored.settings.UseVistaPin);
}

// What a save wrote and what a load read are the bytes on disk: the window
// tells its own writes from edits by hand by comparing them.
TEST(SettingsStore, SavesAndLoadsHandBackTheBytesOnDisk) {
  const test::TempFolder folder;
  const std::string path = (folder.path() / "Brennick" / "Lumivane.reg").string();
  EXPECT_FALSE(LoadSettingsFile(path, Context()).fileBytes);
  const std::string written = WriteSettingsFile(path, LoadSettings(Store(""), Context()).stored);
  EXPECT_EQ(ReadText(path), written);
  EXPECT_EQ(LoadSettingsFile(path, Context()).fileBytes, written);
  const std::string moved = WriteWindowPosition(path, 40, 50);
  EXPECT_NE(moved, written);
  EXPECT_EQ(LoadSettingsFile(path, Context()).fileBytes, moved);
}

}  // namespace
}  // namespace lumivane
