#include <gtest/gtest.h>

#include "app/EdgeSnapping.h"

namespace lumivane {
namespace {

// A work area of 1280 x 770 below a 30-pixel panel at the top.
const QRect kWorkArea(0, 30, 1280, 770);
constexpr SnapConditions kOn{};

TEST(EdgeSnapping, NearEdgeSnapsWithinTwoPixelsOnly) {
  EXPECT_EQ(SnapToWorkArea(QRect(2, 300, 200, 100), kWorkArea, kOn), QRect(0, 300, 200, 100));
  EXPECT_EQ(SnapToWorkArea(QRect(3, 300, 200, 100), kWorkArea, kOn), QRect(3, 300, 200, 100));
  // The top edge is the work area's, not the screen's.
  EXPECT_EQ(SnapToWorkArea(QRect(400, 32, 200, 100), kWorkArea, kOn), QRect(400, 30, 200, 100));
  EXPECT_EQ(SnapToWorkArea(QRect(400, 33, 200, 100), kWorkArea, kOn), QRect(400, 33, 200, 100));
  // Beyond the near edge counts as at it.
  EXPECT_EQ(SnapToWorkArea(QRect(-50, -10, 200, 100), kWorkArea, kOn), QRect(0, 30, 200, 100));
}

TEST(EdgeSnapping, FarEdgeSnapsAndPullsBackAWindowPartlyOffTheArea) {
  // Right edge at 1278 (= right - 2): snaps; at 1277 it stays.
  EXPECT_EQ(SnapToWorkArea(QRect(1078, 300, 200, 100), kWorkArea, kOn), QRect(1080, 300, 200, 100));
  EXPECT_EQ(SnapToWorkArea(QRect(1077, 300, 200, 100), kWorkArea, kOn), QRect(1077, 300, 200, 100));
  // Partly off the right and bottom edges: pulled back flush with them.
  EXPECT_EQ(SnapToWorkArea(QRect(1200, 750, 200, 100), kWorkArea, kOn), QRect(1080, 700, 200, 100));
}

TEST(EdgeSnapping, NearEdgeWinsForAWindowTouchingBothEdges) {
  // Exactly as wide as the area and placed within the snap distance of both
  // edges: the near-edge test comes first.
  EXPECT_EQ(SnapToWorkArea(QRect(1, 300, 1280, 100), kWorkArea, kOn), QRect(0, 300, 1280, 100));
  EXPECT_EQ(SnapToWorkArea(QRect(0, 300, 1279, 100), kWorkArea, kOn), QRect(0, 300, 1279, 100));
}

TEST(EdgeSnapping, WindowLargerThanTheAreaStartsAtItsNearEdge) {
  EXPECT_EQ(SnapToWorkArea(QRect(500, 300, 1400, 100), kWorkArea, kOn), QRect(0, 300, 1400, 100));
  EXPECT_EQ(SnapToWorkArea(QRect(-300, 300, 1400, 100), kWorkArea, kOn), QRect(0, 300, 1400, 100));
  EXPECT_EQ(SnapToWorkArea(QRect(100, 400, 200, 900), kWorkArea, kOn), QRect(100, 30, 200, 900));
}

TEST(EdgeSnapping, WorkAreaNotAtTheOrigin) {
  // A panel on the left, a second monitor's coordinates: edges are the area's own.
  const QRect area(1320, 0, 1880, 1200);
  EXPECT_EQ(SnapToWorkArea(QRect(1322, 500, 100, 50), area, kOn), QRect(1320, 500, 100, 50));
  EXPECT_EQ(SnapToWorkArea(QRect(3150, 1149, 100, 50), area, kOn), QRect(3100, 1150, 100, 50));
}

TEST(EdgeSnapping, CtrlRestoringAndTheSettingEachSuspendSnapping) {
  const QRect proposed(1, 1, 200, 100);
  EXPECT_EQ(SnapToWorkArea(proposed, kWorkArea, {.snapToDesktop = false}), proposed);
  EXPECT_EQ(SnapToWorkArea(proposed, kWorkArea, {.ctrlDown = true}), proposed);
  EXPECT_EQ(SnapToWorkArea(proposed, kWorkArea, {.restoringPosition = true}), proposed);
  const QRect offArea(1500, 900, 200, 100);
  EXPECT_EQ(SnapToWorkArea(offArea, kWorkArea, {.restoringPosition = true}), offArea);
}

// Two monitors side by side, the right one lower and smaller.
const std::vector<QRect> kMonitors = {QRect(0, 0, 1280, 800), QRect(1280, 200, 1024, 600)};

TEST(Monitors, TheMonitorOfTheCentreElseTheNearest) {
  EXPECT_EQ(MonitorOf(QRect(100, 100, 200, 100), kMonitors), 0);
  // Mostly on the right monitor: its centre decides, not its corner.
  EXPECT_EQ(MonitorOf(QRect(1200, 300, 400, 100), kMonitors), 1);
  // Centre in the gap above the right monitor: the nearer one.
  EXPECT_EQ(MonitorOf(QRect(1900, 20, 100, 40), kMonitors), 1);
  EXPECT_EQ(MonitorOf(QRect(-900, 5000, 100, 40), kMonitors), 0);
  EXPECT_EQ(MonitorOf(QRect(0, 0, 10, 10), {}), -1);
}

TEST(Monitors, AWindowOnNoMonitorComesBackAndOneTouchingAMonitorStays) {
  const QRect right(1280, 200, 1024, 570);  // its work area
  EXPECT_EQ(BringOnto(QRect(2500, 300, 200, 100), kMonitors, right), QRect(2104, 300, 200, 100));
  EXPECT_EQ(BringOnto(QRect(1500, 5000, 200, 100), kMonitors, right), QRect(1500, 670, 200, 100));
  EXPECT_EQ(BringOnto(QRect(1500, -400, 200, 100), kMonitors, right), QRect(1500, 200, 200, 100));
  // Larger than the area: its start edges.
  EXPECT_EQ(BringOnto(QRect(3000, 3000, 1500, 700), kMonitors, right), QRect(1280, 200, 1500, 700));
  // Partly on a monitor, or in the gap above the right one but touching the left.
  EXPECT_EQ(BringOnto(QRect(1250, 100, 200, 100), kMonitors, right), QRect(1250, 100, 200, 100));
  EXPECT_EQ(BringOnto(QRect(-150, 100, 200, 100), kMonitors, right), QRect(-150, 100, 200, 100));
  // No work area known: nothing to go by.
  EXPECT_EQ(BringOnto(QRect(9000, 0, 10, 10), kMonitors, QRect()), QRect(9000, 0, 10, 10));
}

}  // namespace
}  // namespace lumivane
