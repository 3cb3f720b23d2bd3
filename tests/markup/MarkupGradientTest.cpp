#include <gtest/gtest.h>

#include "display/markup/MarkupGradient.h"

namespace lumivane {
namespace {

TEST(GradientBands, MixesChannelsAndRoundsBandEdges) {
  // Width 10 in 4 steps: bands of 2.5, each trunc(2.5) + 1 = 3 long.
  const auto bands = GradientBands(RGB(0, 0, 0), RGB(255, 0, 100), 4, {0, 5, 10, 9},
                                   GradientDirection::kHorizontal);
  ASSERT_EQ(bands.size(), 4u);
  EXPECT_EQ(bands[0].rect, (Rect{0, 5, 3, 9}));
  EXPECT_EQ(bands[1].rect, (Rect{3, 5, 6, 9}));
  EXPECT_EQ(bands[2].rect, (Rect{5, 5, 8, 9}));
  EXPECT_EQ(bands[3].rect, (Rect{8, 5, 10, 9}));  // not past the far edge
  EXPECT_EQ(bands[0].color, RGB(0, 0, 0));
  EXPECT_EQ(bands[1].color, RGB(64, 0, 25));
  EXPECT_EQ(bands[3].color, RGB(191, 0, 75));
}

TEST(GradientBands, RunsDownwardsAndTakesZeroStepsAsOne) {
  auto bands =
      GradientBands(RGB(200, 10, 0), RGB(0, 10, 0), 2, {0, 0, 4, 6}, GradientDirection::kVertical);
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_EQ(bands[1].rect, (Rect{0, 3, 4, 6}));
  EXPECT_EQ(bands[1].color, RGB(100, 10, 0));
  bands =
      GradientBands(RGB(1, 2, 3), RGB(9, 9, 9), 0, {0, 0, 4, 6}, GradientDirection::kHorizontal);
  ASSERT_EQ(bands.size(), 1u);
  EXPECT_EQ(bands[0].rect, (Rect{0, 0, 4, 6}));
  EXPECT_EQ(bands[0].color, RGB(1, 2, 3));
}

}  // namespace
}  // namespace lumivane
