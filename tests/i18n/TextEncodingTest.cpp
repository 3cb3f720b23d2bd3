#include <gtest/gtest.h>

#include "base/AsciiCase.h"
#include "i18n/TextEncoding.h"

namespace lumivane {
namespace {

TEST(TextEncoding, Utf8ValidationRejectsMalformedSequences) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("Ganzt\xC3\xA4gig \xE2\x82\xAC \xF0\x9F\x93\x85"));
  EXPECT_FALSE(IsValidUtf8("Ganzt\xE4gig"));      // Windows-1252 a-umlaut
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(IsValidUtf8("ab\xE2\x82"));        // cut short at the end
  EXPECT_FALSE(IsValidUtf8("\x80"));              // a lone continuation byte
}

TEST(TextEncoding, Windows1252CoversTheWholeCodePage) {
  EXPECT_EQ(Windows1252ToUtf8("T\xE2"
                              "ches \x80 \x93x\x94 \x9F"),
            "T\xC3\xA2"
            "ches \xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D \xC5\xB8");
  EXPECT_EQ(Windows1252ToUtf8("\xFF\x81"), "\xC3\xBF\xC2\x81");
  EXPECT_EQ(Windows1252ToUtf8("plain"), "plain");
}

TEST(TextEncoding, TextFilesAreReadByTheirMarkOrContents) {
  EXPECT_EQ(TextFileToUtf8("\xEF\xBB\xBF[Messages]"), "[Messages]");
  EXPECT_EQ(TextFileToUtf8("Heute=\xC3\xA4"), "Heute=\xC3\xA4");
  EXPECT_EQ(TextFileToUtf8("Heute=\xE4"), "Heute=\xC3\xA4");
  // UTF-16 with a surrogate pair (U+1F4C5) in both byte orders.
  EXPECT_EQ(TextFileToUtf8(std::string("\xFF\xFE"
                                       "A\0\xE4\0=\0\x3D\xD8\xC5\xDC",
                                       12)),
            "A\xC3\xA4=\xF0\x9F\x93\x85");
  EXPECT_EQ(TextFileToUtf8(std::string("\xFE\xFF\0A\0\xE4", 6)), "A\xC3\xA4");
}

TEST(TextEncoding, CharactersAreCodePoints) {
  const std::string text = "d\xC3\xA9j\xC3\xA0 vu";  // "déjà vu"
  EXPECT_EQ(CharacterCount(text), 7u);
  EXPECT_EQ(CharacterPrefix(text, 2), "d\xC3\xA9");
  EXPECT_EQ(CharacterPrefix(text, 4), "d\xC3\xA9j\xC3\xA0");
  EXPECT_EQ(CharacterPrefix(text, 50), text);
  // A stray byte counts as one character and is kept whole.
  EXPECT_EQ(CharacterCount("a\xFF"
                           "b"),
            3u);
  EXPECT_EQ(CharacterPrefix("a\xFF"
                            "b",
                            2),
            "a\xFF");
}

TEST(AsciiText, OnlyAsciiLettersHaveACase) {
  EXPECT_TRUE(SameTextAscii("MESSAGES", "messages"));
  EXPECT_FALSE(SameTextAscii("\xC3\x84", "\xC3\xA4"));  // A-umlaut vs a-umlaut
  EXPECT_EQ(UpperCaseAscii("t\xC3\xA2"
                           "che"),
            "T\xC3\xA2"
            "CHE");
  EXPECT_TRUE(LessTextAscii("apple", "Banana"));
  EXPECT_FALSE(LessTextAscii("Banana", "apple"));
  EXPECT_TRUE(StartsWithTextAscii("PM later", "pm"));
}

}  // namespace
}  // namespace lumivane
