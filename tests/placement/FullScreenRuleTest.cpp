#include <gtest/gtest.h>

#include "app/FullScreenRule.h"

namespace lumivane {
namespace {

const QRect kScreen(0, 0, 1920, 1080);

TEST(FullScreenRule, AllFourCoordinatesMustMatch) {
  EXPECT_TRUE(FullScreenAppActive(QRect(0, 0, 1920, 1080), kScreen));
  EXPECT_FALSE(FullScreenAppActive(QRect(1, 0, 1920, 1080), kScreen));
  EXPECT_FALSE(FullScreenAppActive(QRect(0, 1, 1920, 1080), kScreen));
  EXPECT_FALSE(FullScreenAppActive(QRect(0, 0, 1919, 1080), kScreen));
  EXPECT_FALSE(FullScreenAppActive(QRect(0, 0, 1920, 1050), kScreen));  // a maximized window
  // Full screen on a second monitor is not full screen on the primary one.
  EXPECT_FALSE(FullScreenAppActive(QRect(1920, 0, 1920, 1080), kScreen));
}

TEST(FullScreenRule, AnUnknownRectangleIsNeverFullScreen) {
  EXPECT_FALSE(FullScreenAppActive(std::nullopt, kScreen));
  EXPECT_FALSE(FullScreenAppActive(kScreen, std::nullopt));
  EXPECT_FALSE(FullScreenAppActive(std::nullopt, std::nullopt));
}

}  // namespace
}  // namespace lumivane
