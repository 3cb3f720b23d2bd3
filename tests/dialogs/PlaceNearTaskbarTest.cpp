#include <gtest/gtest.h>

#include "dialogs/controls/PanelRectangle.h"
#include "dialogs/controls/PlaceNearTaskbar.h"

namespace lumivane {
namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

std::optional<Point> Place(Rect workArea, std::optional<Rect> panel) {
  return NearTaskbarPosition(workArea, panel, kWidth, kHeight, 300, 200);
}

TEST(PlaceNearTaskbar, EachPanelEdgePutsTheFormInTheNearCorner) {
  // Bottom: the work area ends at 738.
  EXPECT_EQ(Place({0, 0, 1024, 738}, Rect{0, 738, 1024, 768}), (Point{704, 518}));
  // Top: below the panel, 10 pixels down.
  EXPECT_EQ(Place({0, 30, 1024, 768}, Rect{0, 0, 1024, 30}), (Point{704, 40}));
  // Left: 20 pixels from the panel, near the bottom.
  EXPECT_EQ(Place({50, 0, 1024, 768}, Rect{0, 0, 50, 768}), (Point{70, 548}));
  // Right: left of the panel, near the bottom.
  EXPECT_EQ(Place({0, 0, 974, 768}, Rect{974, 0, 1024, 768}), (Point{654, 548}));
}

TEST(PlaceNearTaskbar, NoPanelOrNoEdgeLeavesTheFormWhereItIs) {
  EXPECT_EQ(Place({0, 0, 1024, 768}, std::nullopt), std::nullopt);
  // A bottom strip that stops short of the right edge, starting left of the
  // middle below the top: no rule takes it.
  EXPECT_EQ(ClassifyTaskbarEdge({0, 738, 900, 768}, kWidth, kHeight), TaskbarEdge::None);
  EXPECT_EQ(Place({0, 0, 1024, 738}, Rect{0, 738, 900, 768}), std::nullopt);
}

TEST(PlaceNearTaskbar, ClassificationFollowsTheHalves) {
  // A panel starting exactly at half the height is not below the middle, and
  // being taller than half the width it is no top panel either.
  EXPECT_EQ(ClassifyTaskbarEdge({0, 384, 1024, 768}, kWidth, kHeight), TaskbarEdge::None);
  EXPECT_EQ(ClassifyTaskbarEdge({0, 385, 1024, 768}, kWidth, kHeight), TaskbarEdge::Bottom);
  // A left panel must reach the top.
  EXPECT_EQ(ClassifyTaskbarEdge({0, 100, 50, 768}, kWidth, kHeight), TaskbarEdge::None);
  EXPECT_EQ(ClassifyTaskbarEdge({600, 100, 1024, 600}, kWidth, kHeight), TaskbarEdge::Right);
}

TEST(PanelRectangle, StrutsGiveTheReservedStrip) {
  // A bottom panel of 30 pixels over the whole width (_NET_WM_STRUT).
  EXPECT_EQ(PanelFromStrut({0, 0, 0, 30}, kWidth, kHeight), (Rect{0, 738, 1024, 768}));
  // A partial strut on the right, from y 100 to 499 inclusive.
  EXPECT_EQ(PanelFromStrut({0, 40, 0, 0, 0, 0, 100, 499, 0, 0, 0, 0}, kWidth, kHeight),
            (Rect{984, 100, 1024, 500}));
  // Nothing reserved, or a value list of the wrong length.
  EXPECT_EQ(PanelFromStrut({0, 0, 0, 0}, kWidth, kHeight), std::nullopt);
  EXPECT_EQ(PanelFromStrut({0, 0, 30}, kWidth, kHeight), std::nullopt);
  // A strut larger than the screen is clamped to it.
  EXPECT_EQ(PanelFromStrut({0, 0, 5000, 0}, kWidth, kHeight), (Rect{0, 0, 1024, 768}));
}

TEST(PanelRectangle, WorkAreaDifferenceGivesTheLargestStrip) {
  const Rect monitor{0, 0, 1024, 768};
  EXPECT_EQ(PanelFromWorkArea(monitor, monitor), std::nullopt);
  EXPECT_EQ(PanelFromWorkArea(monitor, {0, 0, 1024, 738}), (Rect{0, 738, 1024, 768}));
  // A thin top bar and a wide left dock: the dock is the panel.
  EXPECT_EQ(PanelFromWorkArea(monitor, {64, 20, 1024, 768}), (Rect{0, 0, 64, 768}));
  // A second monitor to the right of the first.
  EXPECT_EQ(PanelFromWorkArea({1024, 0, 2048, 768}, {1024, 0, 2048, 740}),
            (Rect{1024, 740, 2048, 768}));
}

}  // namespace
}  // namespace lumivane
