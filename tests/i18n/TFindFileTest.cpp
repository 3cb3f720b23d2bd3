#include <gtest/gtest.h>

#include "i18n/LanguageNames.h"
#include "i18n/TFindFile.h"
#include "support/TempFolder.h"

namespace lumivane {
namespace {

TEST(MatchesWildcard, StarsAndQuestionMarks) {
  EXPECT_TRUE(MatchesWildcard("English.lvl", "*.lvl"));
  EXPECT_TRUE(MatchesWildcard(".lvl", "*.lvl"));
  EXPECT_TRUE(MatchesWildcard("a.lvl.lvl", "*.lvl"));
  EXPECT_FALSE(MatchesWildcard("English.lvl.bak", "*.lvl"));
  EXPECT_FALSE(MatchesWildcard("English.LVL", "*.lvl"));
  EXPECT_FALSE(MatchesWildcard("Englishlvl", "*.lvl"));
  EXPECT_TRUE(MatchesWildcard("ab", "a?"));
  EXPECT_FALSE(MatchesWildcard("a", "a?"));
  EXPECT_TRUE(MatchesWildcard("anything", "*"));
  EXPECT_TRUE(MatchesWildcard("x-y-z", "*-*-?"));
}

TEST(TFindFile, ListsMatchingFilesOfTheFolderOnly) {
  test::TempFolder folder;
  const std::string german = folder.Write("Deutsch.lvl", "");
  const std::string english = folder.Write("English.lvl", "");
  const std::string hidden = folder.Write(".hidden.lvl", "");
  folder.Write("readme.txt", "");
  std::filesystem::create_directory(folder.path() / "Folder.lvl");
  std::filesystem::create_directory(folder.path() / "sub");
  folder.Write("sub/Nested.lvl", "");
  std::filesystem::create_symlink(folder.path() / "English.lvl", folder.path() / "Link.lvl");
  std::filesystem::create_symlink(folder.path() / "nowhere", folder.path() / "Broken.lvl");

  TFindFile find;
  find.Directory = folder.path().string();
  find.Filter = "*.lvl";
  int calls = 0;
  find.AfterExecute = [&](TFindFile& done) {
    ++calls;
    EXPECT_EQ(&done, &find);
  };
  find.Execute();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(find.Files, (std::vector<std::string>{hidden, german, english,
                                                  (folder.path() / "Link.lvl").string()}));

  // A second search starts from an empty list.
  std::filesystem::remove(german);
  find.Execute();
  EXPECT_EQ(find.Files.size(), 3u);
  EXPECT_EQ(calls, 2);
}

TEST(TFindFile, MissingFolderGivesAnEmptyList) {
  TFindFile find;
  find.Directory = "/nonexistent/Languages";
  find.Filter = "*.lvl";
  find.Files = {"stale"};
  bool done = false;
  find.AfterExecute = [&](TFindFile&) { done = true; };
  find.Execute();
  EXPECT_TRUE(find.Files.empty());
  EXPECT_TRUE(done);
}

TEST(LanguageNames, NamesAreFileNamesWithoutTheExtension) {
  EXPECT_EQ(LanguageNameOf("/usr/share/lumivane/Languages/English.lvl"), "English");
  EXPECT_EQ(LanguageNameOf("Deutsch.lvl"), "Deutsch");
  EXPECT_EQ(LanguageNameOf(""), "");
  EXPECT_EQ(LanguageNameOf("/x/.lv"), "");
}

TEST(LanguageNames, SortedWithoutRegardToLetterCase) {
  EXPECT_EQ(
      SortedLanguageNames({"/L/spanish.lvl", "/L/Deutsch.lvl", "/L/english.lvl", "/L/English.lvl",
                           "/L/Fran\xC3\xA7"
                           "ais.lvl",
                           "/L/dutch.lvl"}),
      (std::vector<std::string>{"Deutsch", "dutch", "English", "english",
                                "Fran\xC3\xA7"
                                "ais",
                                "spanish"}));
  EXPECT_TRUE(SortedLanguageNames({}).empty());
}

}  // namespace
}  // namespace lumivane
