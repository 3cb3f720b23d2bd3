#include <gtest/gtest.h>

#include "display/TextRoutines.h"

namespace lumivane {
namespace {

TEST(EscapeMarkup, AngleBracketsOnly) {
  EXPECT_EQ(EscapeMarkup("a<b>&c"), "a&lt;b&gt;&c");
  EXPECT_EQ(EscapeMarkup("<<>>"), "&lt;&lt;&gt;&gt;");
  EXPECT_EQ(EscapeMarkup("&lt; stays"), "&lt; stays");
  EXPECT_EQ(EscapeMarkup(""), "");
}

TEST(CutText, CutsAfterMaxCharacters) {
  EXPECT_EQ(CutText("abcdef", 3), "abc...");
  EXPECT_EQ(CutText("abcdef", 6), "abcdef");
  EXPECT_EQ(CutText("abcdef", 7), "abcdef");
  EXPECT_EQ(CutText("abcdef", 0), "abcdef");
  EXPECT_EQ(CutText("abcdef", 1), "a...");
  EXPECT_EQ(CutText("abcdef", -2), "...");
  EXPECT_EQ(CutText("", -1), "...");
  EXPECT_EQ(CutText("", 0), "");
}

TEST(CutText, CountsAccentedLettersAsOneCharacter) {
  // "Réunion à Zürich": 16 characters, 19 bytes.
  const std::string text = "R\xC3\xA9union \xC3\xA0 Z\xC3\xBCrich";
  EXPECT_EQ(CutText(text, 16), text);
  EXPECT_EQ(CutText(text, 9), "R\xC3\xA9union \xC3\xA0...");
  EXPECT_EQ(CutText(text, 2), "R\xC3\xA9...");
  EXPECT_EQ(CutText("\xF0\x9F\x93\x85 Termin", 1), "\xF0\x9F\x93\x85...");
}

}  // namespace
}  // namespace lumivane
