// The translation files shipped with the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "i18n/LanguageNames.h"
#include "i18n/TFindFile.h"
#include "i18n/TLanguage.h"
#include "i18n/TextEncoding.h"

namespace lumivane {
namespace {

const char* const kKeys[] = {"Today",
                             "Tomorrow",
                             "All Day",
                             "Multi Day",
                             "Calendar",
                             "Tasks",
                             "No appointments found",
                             "No tasks found"};

std::vector<std::string> ShippedFiles() {
  TFindFile find;
  find.Directory = LUMIVANE_SOURCE_DIR "/resources/Languages";
  find.Filter = "*.lvl";
  find.Execute();
  return find.Files;
}

TEST(LanguageFiles, TheExpectedLanguagesAreShipped) {
  const std::vector<std::string> names = SortedLanguageNames(ShippedFiles());
  const std::set<std::string> present(names.begin(), names.end());
  for (const char* name : {"English", "German", "French", "Spanish", "Italian", "Dutch"}) {
    EXPECT_TRUE(present.count(name)) << name;
  }
}

TEST(LanguageFiles, EveryFileTranslatesEveryKeyInUtf8) {
  for (const std::string& file : ShippedFiles()) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(IsValidUtf8(bytes)) << file;
    TLanguage language;
    language.LanguageFile = file;
    std::set<std::string> texts;
    for (const char* key : kKeys) {
      const std::string text = language.LookupMessage(key);
      EXPECT_FALSE(text.empty()) << file << ": " << key;
      texts.insert(text);
      // Only English may keep the English words.
      if (LanguageNameOf(file) != "English") {
        EXPECT_NE(text, key) << file << ": " << key;
      }
    }
    // Two keys with one text would make the display ambiguous.
    EXPECT_EQ(texts.size(), std::size(kKeys)) << file;
  }
}

}  // namespace
}  // namespace lumivane
