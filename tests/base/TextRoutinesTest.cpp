#include <gtest/gtest.h>

#include "base/AsciiCase.h"
#include "base/TextRoutines.h"

namespace lumivane {
namespace {

using Pieces = std::vector<std::string>;

TEST(SplitText, KeepsEmptyPieces) {
  EXPECT_EQ(SplitText("A;B;;C", ";"), (Pieces{"A", "B", "", "C"}));
  EXPECT_EQ(SplitText("", ";"), (Pieces{""}));
  EXPECT_EQ(SplitText("A;", ";"), (Pieces{"A", ""}));
  EXPECT_EQ(SplitText(";", ";"), (Pieces{"", ""}));
  EXPECT_EQ(SplitText("no separator", ";"), (Pieces{"no separator"}));
  EXPECT_EQ(SplitText("a<>b<><>c", "<>"), (Pieces{"a", "b", "", "c"}));
  EXPECT_EQ(SplitText("aaa", "aa"), (Pieces{"", "a"}));
  EXPECT_EQ(SplitText("A;B", ""), (Pieces{"A;B"}));
}

TEST(ReplaceAll, LeftToRightWithoutRescanning) {
  EXPECT_EQ(ReplaceAll("a.b.c", ".", "::"), "a::b::c");
  EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");
  EXPECT_EQ(ReplaceAll("<", "<", "<<"), "<<");
  EXPECT_EQ(ReplaceAll("abc", "x", "y"), "abc");
  EXPECT_EQ(ReplaceAll("abc", "", "y"), "abc");
  EXPECT_EQ(ReplaceAll("a;b;", ";", ""), "ab");
}
TEST(AsciiCase, TouchesAsciiLettersOnly) {
  // Non-ASCII letters keep their bytes, so positions in the text stay valid.
  EXPECT_EQ(UpperCaseAscii("stra\xC3\x9F"
                           "e \xC3\xA9t\xC3\xA9"),
            "STRA\xC3\x9F"
            "E \xC3\xA9T\xC3\xA9");
  EXPECT_EQ(LowerCaseAscii("<FONT Color>"), "<font color>");
  EXPECT_TRUE(SameTextAscii("Work", "wORK"));
  EXPECT_FALSE(SameTextAscii("\xC3\x89t\xC3\xA9", "\xC3\xA9t\xC3\xA9"));
  EXPECT_TRUE(LessTextAscii("apple", "Banana"));
  EXPECT_FALSE(LessTextAscii("Banana", "apple"));
}

TEST(AsciiCase, StartsWithAtAPosition) {
  EXPECT_TRUE(StartsWithTextAscii("x<sub>", "<SUB>", 1));
  EXPECT_FALSE(StartsWithTextAscii("x<sub>", "<SUB>", 0));
  EXPECT_FALSE(StartsWithTextAscii("<su", "<SUB>"));
  EXPECT_FALSE(StartsWithTextAscii("abc", "", 4));
  EXPECT_TRUE(StartsWithTextAscii("abc", "", 3));
}

TEST(CountCodePoints, CountsSequencesOnce) {
  EXPECT_EQ(CountCodePoints(""), 0u);
  EXPECT_EQ(CountCodePoints("R\xC3\xA9union"), 7u);
  EXPECT_EQ(CountCodePoints("\xF0\x9F\x93\x85!"), 2u);
}

}  // namespace
}  // namespace lumivane
