#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "i18n/ProfileReader.h"
#include "i18n/TLanguage.h"
#include "support/TempFolder.h"

namespace lumivane {
namespace {

TEST(ProfileReader, NamesMatchWithoutRegardToCase) {
  const std::string ini =
      "[Other]\r\nCalendar=Wrong\r\n"
      "  [ messages ]  \r\n  CALENDAR  =  Kalender  \r\ntasks=Aufgaben\r\n";
  EXPECT_EQ(FindProfileValue(ini, "Messages", "Calendar"), "Kalender");
  EXPECT_EQ(FindProfileValue(ini, "MESSAGES", "Tasks"), "Aufgaben");
  EXPECT_EQ(FindProfileValue(ini, "Messages", "Today"), std::nullopt);
  EXPECT_EQ(FindProfileValue(ini, "Missing", "Calendar"), std::nullopt);
}

TEST(ProfileReader, ValueRules) {
  const std::string ini =
      "[Messages]\n"
      "Tasks=\n"
      "Today=\"  Heute  \"\n"
      "Tomorrow='Morgen'\n"
      "All Day=\"Ganzt\xC3\xA4gig'\n"
      "Calendar=a=b\n"
      "Multi Day=\"\n"
      "No tasks found\n";
  EXPECT_EQ(FindProfileValue(ini, "Messages", "Tasks"), "");
  EXPECT_EQ(FindProfileValue(ini, "Messages", "Today"), "  Heute  ");
  EXPECT_EQ(FindProfileValue(ini, "Messages", "Tomorrow"), "Morgen");
  // Quotes that do not match stay.
  EXPECT_EQ(FindProfileValue(ini, "Messages", "All Day"), "\"Ganzt\xC3\xA4gig'");
  EXPECT_EQ(FindProfileValue(ini, "Messages", "Calendar"), "a=b");
  EXPECT_EQ(FindProfileValue(ini, "Messages", "Multi Day"), "\"");
  // A line without "=" names no value.
  EXPECT_EQ(FindProfileValue(ini, "Messages", "No tasks found"), std::nullopt);
}

TEST(ProfileReader, LongValuesAreCutByCharacters) {
  std::string value;
  for (int i = 0; i < 1500; ++i) value += "\xC3\xA9";  // 3000 bytes, 1500 characters
  EXPECT_EQ(FindProfileValue("[M]\nk=" + value, "M", "k"), value);
  value += std::string(600, 'x');
  const auto read = FindProfileValue("[M]\nk=" + value, "M", "k");
  ASSERT_TRUE(read);
  EXPECT_EQ(read->size(), 3000u + (kMaxProfileValueLength - 1500));
}

class TLanguageTest : public ::testing::Test {
 protected:
  test::TempFolder folder;
};

TEST_F(TLanguageTest, WithoutAFileEveryKeyIsItsOwnText) {
  TLanguage language;
  EXPECT_EQ(language.LookupMessage("Calendar"), "Calendar");
  language.LanguageFile = (folder.path() / "Missing.lvl").string();
  EXPECT_EQ(language.LookupMessage("No tasks found"), "No tasks found");
  language.LanguageFile = folder.path().string();  // a folder, not a file
  EXPECT_EQ(language.LookupMessage("Tasks"), "Tasks");
}

TEST_F(TLanguageTest, AnEditedFileCountsAtTheNextLookup) {
  TLanguage language;
  language.LanguageFile = folder.Write("Deutsch.lvl", "[messages]\ncalendar=Kalender\n");
  EXPECT_EQ(language.LookupMessage("Calendar"), "Kalender");
  EXPECT_EQ(language.LookupMessage("Tasks"), "Tasks");
  folder.Write("Deutsch.lvl", "[Messages]\nCalendar=Termine\nTasks=\n");
  EXPECT_EQ(language.LookupMessage("Calendar"), "Termine");
  EXPECT_EQ(language.LookupMessage("Tasks"), "");
  std::filesystem::remove(language.LanguageFile);
  EXPECT_EQ(language.LookupMessage("Calendar"), "Calendar");
}

// A refresh asks for every display word: a changed file is read once, an
// unchanged one not at all.
TEST_F(TLanguageTest, AChangedFileIsReadOnceForAllItsLookups) {
  TLanguage language;
  language.LanguageFile = folder.Write("Deutsch.lvl", "[Messages]\nToday=Heute\n");
  for (int i = 0; i < 8; ++i) EXPECT_EQ(language.LookupMessage("Today"), "Heute");
  EXPECT_EQ(language.LookupMessage("Tasks"), "Tasks");
  EXPECT_EQ(language.FileReads(), 1u);
  folder.Write("Deutsch.lvl", "[Messages]\nToday=Heute!\n");
  for (int i = 0; i < 8; ++i) EXPECT_EQ(language.LookupMessage("Today"), "Heute!");
  EXPECT_EQ(language.FileReads(), 2u);
  // Another file is another read; its words are its own.
  language.LanguageFile = folder.Write("Dansk.lvl", "[Messages]\nToday=I dag\n");
  EXPECT_EQ(language.LookupMessage("Today"), "I dag");
  EXPECT_EQ(language.FileReads(), 3u);
}

TEST_F(TLanguageTest, OnlyRegularFilesOfBoundedSizeAreRead) {
  TLanguage language;
  std::string huge = "[Messages]\nToday=Heute\n";
  huge.resize(kMaxProfileFileBytes + 1, ' ');
  language.LanguageFile = folder.Write("Huge.lvl", huge);
  EXPECT_EQ(language.LookupMessage("Today"), "Today");
  // A pipe would block the refresh: it is not opened for reading.
  const std::string fifo = (folder.path() / "Pipe.lvl").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  language.LanguageFile = fifo;
  EXPECT_EQ(language.LookupMessage("Today"), "Today");
  EXPECT_FALSE(ReadProfileString(fifo, "Messages", "Today"));
}

TEST_F(TLanguageTest, FilesWrittenOnWindowsReadUnchanged) {
  TLanguage language;
  // Windows-1252 bytes with CR LF line ends.
  language.LanguageFile = folder.Write(
      "Fran\xC3\xA7"
      "ais.lvl",
      "[Messages]\r\nTasks=T\xE2"
      "ches\r\nAll Day=Toute la journ\xE9"
      "e\r\n");
  EXPECT_EQ(language.LookupMessage("Tasks"),
            "T\xC3\xA2"
            "ches");
  EXPECT_EQ(language.LookupMessage("All Day"),
            "Toute la journ\xC3\xA9"
            "e");
  language.LanguageFile = folder.Write("Bom.lvl", "\xEF\xBB\xBF[Messages]\nToday=Heute\n");
  EXPECT_EQ(language.LookupMessage("Today"), "Heute");
}

}  // namespace
}  // namespace lumivane
