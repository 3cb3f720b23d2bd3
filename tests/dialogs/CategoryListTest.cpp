#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/CategoryList.h"
#include "outlook/ical/StoreCategories.h"

namespace lumivane {
namespace {

using Names = std::vector<std::string>;

TEST(CategoryList, SplitKeepsEveryPieceAndTheEmptyTextIsTheEmptyList) {
  EXPECT_EQ(SplitCategoryList(""), Names{});
  EXPECT_EQ(SplitCategoryList("Work"), Names{"Work"});
  EXPECT_EQ(SplitCategoryList("Work;"), (Names{"Work", ""}));
  EXPECT_EQ(SplitCategoryList("a;;b"), (Names{"a", "", "b"}));
  EXPECT_EQ(SplitCategoryList(";"), (Names{"", ""}));
  // Blanks belong to the names.
  EXPECT_EQ(SplitCategoryList(" Work ; Private"), (Names{" Work ", " Private"}));
}

TEST(CategoryList, LongNamesSplitExactly) {
  const std::string longName(300, 'x');
  const Names names = SplitCategoryList(longName + ";Private");
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], longName);
  EXPECT_EQ(names[1], "Private");
}

TEST(CategoryList, JoinThenSplitGivesTheListBack) {
  EXPECT_EQ(JoinCategoryList({}), "");
  EXPECT_EQ(JoinCategoryList({"Work", "Private"}), "Work;Private");
  for (const Names& names : {Names{"Work", ""}, Names{"", "a", ""}, Names{"Réunion", " x "}}) {
    EXPECT_EQ(SplitCategoryList(JoinCategoryList(names)), names) << JoinCategoryList(names);
  }
  // The one exception: a single empty name joins to the empty list.
  EXPECT_EQ(JoinCategoryList({""}), "");
  EXPECT_EQ(SplitCategoryList(JoinCategoryList({""})), Names{});
}

TEST(StoreCategories, EachNameOnceSortedWithCaseKept) {
  // Appointments (a series, its moved occurrence, single ones) and tasks.
  EXPECT_EQ(ical::ReadStoreCategoryNames(LUMIVANE_TEST_DATA "/dialogs/categories"),
            (Names{"Finance", "Meetings", "Offsite", "Private", "Réunion", "Work", "work"}));
}

TEST(StoreCategories, AStoreThatCannotBeReadOffersNothing) {
  EXPECT_EQ(ical::ReadStoreCategoryNames(LUMIVANE_TEST_DATA "/dialogs/no-such-store"), Names{});
  // One damaged file makes the whole store unreadable.
  EXPECT_EQ(ical::ReadStoreCategoryNames(LUMIVANE_TEST_DATA "/ical"), Names{});
}

}  // namespace
}  // namespace lumivane
