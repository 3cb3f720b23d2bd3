#include <gtest/gtest.h>

#include "app/AnchorDispatch.h"

namespace lumivane {
namespace {

TEST(AnchorDispatch, FolderLinksMatchExactlyAndCaseMatters) {
  EXPECT_EQ(ClassifyAnchor("Calendar"), AnchorAction::ShowCalendar);
  EXPECT_EQ(ClassifyAnchor("Tasks"), AnchorAction::ShowTasks);
  EXPECT_EQ(ClassifyAnchor("calendar"), AnchorAction::None);
  EXPECT_EQ(ClassifyAnchor("tasks"), AnchorAction::None);
  EXPECT_EQ(ClassifyAnchor("Tasks "), AnchorAction::None);
  EXPECT_EQ(ClassifyAnchor("CalendarX"), AnchorAction::None);
}

TEST(AnchorDispatch, ItemLinksTakeThePrefixInAnyCase) {
  EXPECT_EQ(ClassifyAnchor("OUTLOOK:x"), AnchorAction::OpenItem);
  EXPECT_EQ(ClassifyAnchor("Outlook:x"), AnchorAction::OpenItem);
  EXPECT_EQ(ClassifyAnchor("outlook:00000000ABCD"), AnchorAction::OpenItem);
  EXPECT_EQ(ClassifyAnchor("outlook:"), AnchorAction::OpenItem);
  EXPECT_EQ(ClassifyAnchor("outlook"), AnchorAction::None);
  EXPECT_EQ(ClassifyAnchor(" outlook:x"), AnchorAction::None);
}

TEST(AnchorDispatch, OtherTargetsDoNothing) {
  EXPECT_EQ(ClassifyAnchor("other"), AnchorAction::None);
  EXPECT_EQ(ClassifyAnchor(""), AnchorAction::None);
  EXPECT_EQ(ClassifyAnchor("Inbox"), AnchorAction::None);
}

}  // namespace
}  // namespace lumivane
