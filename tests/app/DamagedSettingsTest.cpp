// Settings files that are damaged, hostile or huge: every value stays within
// what the program can show, a damaged value is not written back, and
// reading costs work linear in the file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <set>

#include "app/SettingsFixtures.h"
#include "app/SettingsStore.h"
#include "base/FileIo.h"
#include "platform/LogFont.h"
#include "support/TempFolder.h"

namespace lumivane {
namespace {

using test::Context;
using test::Store;

TEST(DamagedSettings, ValuesThatCostMemoryAreHeldToTheirMaximum) {
  Settings s =
      LoadSettings(Store("\"Indent\"=dword:7fffffff\n\"AlphaLevel\"=dword:00001000\n"), Context())
          .stored.settings;
  EXPECT_EQ(s.Indent, 10);
  EXPECT_EQ(s.AlphaLevel, 255);
  s = LoadSettings(Store("\"Indent\"=dword:000f4240\n"), Context()).stored.settings;
  EXPECT_EQ(s.Indent, 10);
  // Below the maximum, values stay as they are: -1 is no indent.
  s = LoadSettings(Store("\"Indent\"=dword:ffffffff\n"), Context()).stored.settings;
  EXPECT_EQ(s.Indent, -1);
  s = LoadSettings(Store("\"Indent\"=dword:00000004\n"), Context()).stored.settings;
  EXPECT_EQ(s.Indent, 4);
}

TEST(DamagedSettings, AFontValueShorterThanTheRecordIsDamagedAndKept) {
  const RegistryFile previous = Store("\"DisplayFont\"=hex:01,02,03\n");
  const LoadResult loaded = LoadSettings(previous, Context());
  EXPECT_TRUE(loaded.errors.empty());
  EXPECT_FALSE(loaded.stored.DisplayFont);  // the built-in font is used
  EXPECT_TRUE(loaded.stored.DisplayFontDamaged);
  // Saved unchanged, the damaged value stays as stored: nothing padded.
  const RegistryFile saved = ComposeSettingsForSave(previous, loaded.stored);
  EXPECT_EQ(saved.ReadBinary("DisplayFont"), (std::vector<std::uint8_t>{1, 2, 3}));
}

// The rule of the window's save and of the options dialog alike.
TEST(DamagedSettings, ADamagedFontValueStaysUntilAnotherFontIsChosen) {
  const RegistryFile previous = Store("\"DisplayFont\"=hex:01,02,03\n");
  StoredSettings stored = LoadSettings(previous, Context()).stored;
  const LogFont builtIn = StoredDisplayFont(stored);
  const QFont shown = FontFromLogFont(builtIn);
  StoreDisplayFont(stored, shown, builtIn, stored.DisplayFontDamaged);
  EXPECT_TRUE(stored.DisplayFontDamaged);
  EXPECT_EQ(ComposeSettingsForSave(previous, stored).ReadBinary("DisplayFont"),
            (std::vector<std::uint8_t>{1, 2, 3}));

  // A font chosen (in the options dialog) is written and ends the damage, so
  // that the window, showing it from then on, saves it too.
  QFont chosen = shown;
  chosen.setPointSize(12);
  StoreDisplayFont(stored, chosen, builtIn, stored.DisplayFontDamaged);
  EXPECT_FALSE(stored.DisplayFontDamaged);
  const LogFont applied = StoredDisplayFont(stored);
  StoreDisplayFont(stored, chosen, applied, stored.DisplayFontDamaged);
  const auto saved = ComposeSettingsForSave(previous, stored).ReadBinary("DisplayFont");
  ASSERT_TRUE(saved.has_value());
  ASSERT_EQ(saved->size(), LogFontBytes{}.size());
  LogFontBytes bytes{};
  std::copy(saved->begin(), saved->end(), bytes.begin());
  EXPECT_EQ(PointsFromHeight(DecodeLogFont(bytes).height), 12);
}

TEST(DamagedSettings, FontHeightsAreHeldToOneToFiveHundredPoints) {
  LogFont font = BuiltInDisplayFont();
  font.height = -197121;
  EXPECT_EQ(FontFromLogFont(font).pointSize(), kMaxFontPoints);
  font.height = INT_MIN;
  EXPECT_EQ(FontFromLogFont(font).pointSize(), kMaxFontPoints);
  font.height = -1;  // under a point: one point
  EXPECT_EQ(FontFromLogFont(font).pointSize(), kMinFontPoints);
  font.height = 0;  // the default size, as Windows reads it
  EXPECT_EQ(FontFromLogFont(font).pointSize(), 8);
  QFont large(QStringLiteral("DejaVu Sans"));
  large.setPointSize(4000);
  EXPECT_EQ(PointsFromHeight(LogFontFromFont(large, BuiltInDisplayFont()).height), kMaxFontPoints);
}

TEST(DamagedSettings, LanguageIsANameNeverAPath) {
  const LoadContext context =
      Context({"/opt/lumivane/Languages/Deutsch.lvl", "/opt/lumivane/Languages/../secret.lvl",
               "/opt/lumivane/Languages/sub/x.lvl", "/etc/passwd.lvl"});
  for (const char* name : {"../secret", "sub/x", "/etc/passwd", "..", "Deutsch/.."}) {
    EXPECT_EQ(LanguageFileFor(name, context), "/opt/lumivane/Languages/English.lvl") << name;
  }
  EXPECT_EQ(LanguageFileFor("Deutsch", context), "/opt/lumivane/Languages/Deutsch.lvl");
}

TEST(DamagedSettings, ATooLargeFileIsReportedReadAsDefaultsAndNeverReplaced) {
  test::TempFolder folder;
  std::string huge = "Windows Registry Editor Version 5.00\n\n[" + std::string(kSettingsKey) +
                     "]\n\"Indent\"=dword:00000003\n";
  huge.resize(kMaxSettingsFileBytes + 1, ';');
  const std::string path = folder.Write("Lumivane.reg", huge);
  const LoadResult loaded = LoadSettingsFile(path, Context());
  ASSERT_EQ(loaded.errors.size(), 1u);
  EXPECT_NE(loaded.errors[0].find("defaults are used"), std::string::npos);
  EXPECT_EQ(loaded.stored.settings.Indent, -1);
  EXPECT_THROW(WriteSettingsFile(path, loaded.stored), std::runtime_error);
  EXPECT_THROW(WriteWindowPosition(path, 5, 5), std::runtime_error);
  EXPECT_EQ(ReadFileLimited(path, 2 * kMaxSettingsFileBytes), huge);
  // A missing file is no problem: the first run.
  EXPECT_TRUE(LoadSettingsFile((folder.path() / "none.reg").string(), Context()).errors.empty());
}

TEST(DamagedSettings, APipeInPlaceOfTheFileIsNotWaitedOn) {
  test::TempFolder folder;
  const std::string path = (folder.path() / "Lumivane.reg").string();
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  const LoadResult loaded = LoadSettingsFile(path, Context());
  EXPECT_EQ(loaded.errors.size(), 1u);
  EXPECT_EQ(loaded.stored.settings.RefreshEvery, 1);
}

// Work counted, not time: every look-up counts the names it may compare, so
// doubling the file at most doubles the count; a search per line, or an index
// whose names crowd into a few buckets, makes it grow with n squared. The
// save's new store does as many look-ups as the parsed one and is counted too.
TEST(DamagedSettings, ReadingLoadingAndSavingWorkGrowsLinearly) {
  const auto work = [](int values) {
    std::string lines;
    for (int i = 0; i < values; ++i) {
      lines += "\"Value" + std::to_string(i) + "\"=dword:00000001\n";
    }
    const RegistryFile store = Store(lines);
    LoadSettings(store, Context());
    const RegistryFile saved = ComposeSettingsForSave(store, StoredSettings{});
    EXPECT_GE(saved.Values().size(), static_cast<std::size_t>(values));
    return store.NameComparisons() + saved.NameComparisons();
  };
  const std::uint64_t small = work(10000);
  const std::uint64_t large = work(20000);
  // Three probes per value (read, looked for and kept by the save), each of
  // a few names: the index's buckets hold about one name each.
  EXPECT_GE(small, 3 * 10000u);
  EXPECT_LE(small, 8 * 10000u);
  // Linear work doubles (give or take how full the index happens to be at
  // each size); n squared would quadruple.
  EXPECT_LT(large, 3 * small);
}

}  // namespace
}  // namespace lumivane
