#include <gtest/gtest.h>

#include "outlook/CategoryFilter.h"

namespace lumivane {
namespace {

TEST(CategoryFilterTest, EmptyListKeepsEveryItem) {
  for (bool showListed : {true, false}) {
    EXPECT_TRUE(CategoryFilter("Work", "", showListed));
    EXPECT_TRUE(CategoryFilter("", "", showListed));
  }
}

TEST(CategoryFilterTest, PieceMatchesAnywhereInsideTheCategories) {
  // Listed categories shown: a substring is enough, no categories is no match.
  EXPECT_TRUE(CategoryFilter("Work", "Work", true));
  EXPECT_TRUE(CategoryFilter("Homework", "Work", true));
  EXPECT_TRUE(CategoryFilter("Calls, Homework", "Work", true));
  EXPECT_FALSE(CategoryFilter("Calls", "Work", true));
  EXPECT_FALSE(CategoryFilter("", "Work", true));
  // Listed categories hidden: the same matches, the other way round.
  EXPECT_FALSE(CategoryFilter("Work", "Work", false));
  EXPECT_FALSE(CategoryFilter("Homework", "Work", false));
  EXPECT_TRUE(CategoryFilter("Calls", "Work", false));
  EXPECT_TRUE(CategoryFilter("", "Work", false));
  // Any one piece of several decides.
  EXPECT_TRUE(CategoryFilter("Private", "Work;Private", true));
  EXPECT_FALSE(CategoryFilter("Private", "Work;Private", false));
}

TEST(CategoryFilterTest, OnlyAsciiLettersIgnoreTheirCase) {
  EXPECT_TRUE(CategoryFilter("WORK", "work", true));
  EXPECT_TRUE(CategoryFilter("Work", "work", true));
  EXPECT_TRUE(CategoryFilter("work", "WORK", true));
  // Accented letters keep their case: they match only when written alike.
  EXPECT_TRUE(CategoryFilter("R\xC3\xA9union", "R\xC3\xA9UNION", true));   // Réunion, RéUNION
  EXPECT_FALSE(CategoryFilter("R\xC3\x89UNION", "r\xC3\xA9union", true));  // RÉUNION, réunion
  EXPECT_TRUE(CategoryFilter("R\xC3\x89UNION", "r\xC3\x89union", true));   // RÉUNION, rÉunion
  EXPECT_TRUE(CategoryFilter("R\xC3\x89UNION", "r\xC3\xA9union", false));
}

TEST(CategoryFilterTest, EmptyPiecesTakePartButNeverMatch) {
  // A list of empty pieces is not the empty list: nothing matches it.
  EXPECT_FALSE(CategoryFilter("Calls", ";", true));
  EXPECT_TRUE(CategoryFilter("Calls", ";", false));
  EXPECT_FALSE(CategoryFilter("", ";;", true));
  // Empty pieces beside real ones change nothing.
  EXPECT_TRUE(CategoryFilter("Work", ";Work;;", true));
  EXPECT_FALSE(CategoryFilter("Calls", "Work;;", true));
  EXPECT_TRUE(CategoryFilter("Calls", "Work;;", false));
}

TEST(CategoryFilterTest, PiecesAreNotTrimmed) {
  // " Calls" (with its blank) occurs in "Work, Calls" but not in "Calls".
  EXPECT_TRUE(CategoryFilter("Work, Calls", "Private; Calls", true));
  EXPECT_FALSE(CategoryFilter("Calls", "Private; Calls", true));
}

}  // namespace
}  // namespace lumivane
