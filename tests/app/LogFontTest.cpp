#include <gtest/gtest.h>

#include "platform/LogFont.h"

namespace lumivane {
namespace {

// The display font value as a Windows machine stores it: Tahoma, height -13,
// bold (700), italic, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLEARTYPE_QUALITY (5),
// DEFAULT_PITCH | FF_SWISS (0x20).
LogFontBytes WindowsTahoma() {
  LogFontBytes b{};
  const std::uint8_t head[] = {0xf3, 0xff, 0xff, 0xff, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                               0,    0,    0xbc, 0x02, 0, 0, 1, 0, 0, 0, 0, 0, 5, 0x20};
  std::copy(std::begin(head), std::end(head), b.begin());
  const char face[] = "Tahoma";
  std::copy(std::begin(face), std::end(face) - 1, b.begin() + 28);
  return b;
}

TEST(LogFont, DecodesAValueWrittenOnWindows) {
  const LogFont f = DecodeLogFont(WindowsTahoma());
  EXPECT_EQ(f.height, -13);
  EXPECT_EQ(f.weight, 700);
  EXPECT_EQ(f.italic, 1);
  EXPECT_EQ(f.quality, 5);
  EXPECT_EQ(f.pitchAndFamily, 0x20);
  EXPECT_EQ(f.faceName, "Tahoma");
  EXPECT_EQ(EncodeLogFont(f), WindowsTahoma());
}

TEST(LogFont, PointsAtNinetySixDotsPerInch) {
  EXPECT_EQ(PointsFromHeight(-11), 8);
  EXPECT_EQ(PointsFromHeight(11), 8);
  EXPECT_EQ(PointsFromHeight(-13), 10);
  EXPECT_EQ(HeightFromPoints(8), -11);
  EXPECT_EQ(HeightFromPoints(10), -13);
}

TEST(LogFont, QtFontRoundTripKeepsTheAskedFaceAndUnmodelledBytes) {
  const LogFont windows = DecodeLogFont(WindowsTahoma());
  const QFont font = FontFromLogFont(windows);
  EXPECT_EQ(font.pointSize(), 10);
  EXPECT_TRUE(font.bold());
  EXPECT_TRUE(font.italic());
  // Tahoma is not installed here: the face written back is still Tahoma.
  const LogFont back = LogFontFromFont(font, windows);
  EXPECT_EQ(EncodeLogFont(back), WindowsTahoma());

  QFont changed = font;
  changed.setPointSize(12);
  changed.setItalic(false);
  const LogFont edited = LogFontFromFont(changed, windows);
  EXPECT_EQ(edited.height, -16);
  EXPECT_EQ(edited.italic, 0);
  EXPECT_EQ(edited.quality, 5);
}

TEST(LogFont, BuiltInFontIsVerdanaEightPoints) {
  const QFont font = FontFromLogFont(BuiltInDisplayFont());
  EXPECT_EQ(font.family(), "Verdana");
  EXPECT_EQ(font.pointSize(), 8);
  EXPECT_FALSE(font.bold());
}

}  // namespace
}  // namespace lumivane
