#include <gtest/gtest.h>

#include "app/RefreshInterval.h"

namespace lumivane {
namespace {

TEST(RefreshInterval, MinutesOrHours) {
  EXPECT_EQ(RefreshIntervalMs(5, 0), 300000);
  EXPECT_EQ(RefreshIntervalMs(5, 1), 18000000);
  EXPECT_EQ(RefreshIntervalMs(1, 1), 3600000);
  // Any non-zero type counts as hours.
  EXPECT_EQ(RefreshIntervalMs(2, 7), 7200000);
  // The largest stored value still fits a timer period.
  EXPECT_EQ(RefreshIntervalMs(300, 1), 1080000000);
}

TEST(RefreshInterval, ZeroOrLessStopsAndHugeValuesAreCapped) {
  EXPECT_EQ(RefreshIntervalMs(0, 0), 0);
  EXPECT_EQ(RefreshIntervalMs(0, 1), 0);
  EXPECT_EQ(RefreshIntervalMs(-3, 1), 0);
  EXPECT_EQ(RefreshIntervalMs(1000, 1), 2147483647);
}

TEST(RefreshInterval, OnlyADifferentPeriodRestartsTheTimer) {
  EXPECT_EQ(RefreshTimerChange(true, 300000, 300000), TimerChange::Keep);
  EXPECT_EQ(RefreshTimerChange(true, 300000, 18000000), TimerChange::Restart);
  // A stopped timer starts even with the period it had.
  EXPECT_EQ(RefreshTimerChange(false, 300000, 300000), TimerChange::Restart);
  EXPECT_EQ(RefreshTimerChange(true, 300000, 0), TimerChange::Stop);
  EXPECT_EQ(RefreshTimerChange(false, 0, 0), TimerChange::Stop);
}

}  // namespace
}  // namespace lumivane
