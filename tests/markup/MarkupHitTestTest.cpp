// The hit test: a measure-only call with the pointer's position.
#include <gtest/gtest.h>

#include "display/markup/DrawMarkup.h"
#include "support/TestCanvas.h"

namespace lumivane {
namespace {

MarkupResult HitTest(TestCanvas& canvas, std::string_view markup, Point point,
                     Rect rect = {0, 0, 300, 1000}) {
  MarkupOptions options;
  options.measureOnly = true;
  options.point = point;
  return DrawMarkup(canvas, markup, rect, options);
}

constexpr std::string_view kHeading =
    "<IMG src=\"idx:1\" align=\"middle\" > <a href=\"Calendar\"><U><B>Calendar</B></U></a>"
    "<BR></a>";

TEST(MarkupHitTest, ThePointerOverTheCalendarHeadingFindsItsTarget) {
  TestCanvas canvas;
  canvas.imageCount = 6;
  // The word's text band is 2 pixels above the line's bottom: y 3 to 14.
  const MarkupResult result = HitTest(canvas, kHeading, {40, 10});
  EXPECT_TRUE(result.overAnchor);
  EXPECT_EQ(result.anchorTarget, "Calendar");
  EXPECT_EQ(result.anchorNumber, 1);
  EXPECT_EQ(result.anchorRect, (Rect{23, 0, 79, 17}));
  EXPECT_TRUE(canvas.ops.empty());
}

TEST(MarkupHitTest, OutsideTheTextBandOrBesideTheWordThereIsNoAnchor) {
  TestCanvas canvas;
  canvas.imageCount = 6;
  for (const Point point :
       {Point{40, 15}, Point{40, 2}, Point{20, 10}, Point{80, 10}, Point{40, 20}}) {
    const MarkupResult result = HitTest(canvas, kHeading, point);
    EXPECT_FALSE(result.overAnchor) << point.x << "," << point.y;
    EXPECT_EQ(result.anchorTarget, "");
    EXPECT_EQ(result.anchorNumber, -1);
    EXPECT_EQ(result.anchorRect, (Rect{-1, -1, -1, -1}));
  }
}

TEST(MarkupHitTest, AnAnchorOverTwoLinesHasOneNumberAndARectangleAroundBoth) {
  // Line width 61: "aaaa bbbb " fits, "cccc" goes to the second line.
  const std::string_view markup =
      "aaaa <a href=\"first\">bbbb cccc</a> dd <a href=\"second\">ee</a>";
  const Rect rect{0, 0, 62, 1000};
  TestCanvas canvas;
  for (const Point point : {Point{40, 10}, Point{5, 25}}) {
    const MarkupResult result = HitTest(canvas, markup, point, rect);
    EXPECT_TRUE(result.overAnchor);
    EXPECT_EQ(result.anchorTarget, "first");
    EXPECT_EQ(result.anchorNumber, 1);
    EXPECT_EQ(result.anchorRect, (Rect{1, 0, 55, 34}));
  }
  const MarkupResult second = HitTest(canvas, markup, {50, 25}, rect);
  EXPECT_EQ(second.anchorTarget, "second");
  EXPECT_EQ(second.anchorNumber, 2);
  EXPECT_EQ(second.anchorRect, (Rect{49, 17, 61, 34}));
  EXPECT_FALSE(HitTest(canvas, markup, {10, 10}, rect).overAnchor);  // over "aaaa"
}

TEST(MarkupHitTest, RightAlignedAndIndentedLinksAreFoundWhereTheyAreDrawn) {
  TestCanvas canvas;
  const std::string_view markup =
      "<P align=\"right\"><a href=\"Tasks\">Tasks</a><BR><P align=\"center\" indent=\"5\">"
      "<a href=\"x\">x</a>";
  // "Tasks" is 30 wide at the right edge, 170 to 200.
  EXPECT_EQ(HitTest(canvas, markup, {185, 10}, {0, 0, 200, 1000}).anchorTarget, "Tasks");
  EXPECT_FALSE(HitTest(canvas, markup, {20, 10}, {0, 0, 200, 1000}).overAnchor);
  // "x" centred: 1 + (200 - 1 - 6) / 2 + 5 = 102.
  const MarkupResult centred = HitTest(canvas, markup, {104, 27}, {0, 0, 200, 1000});
  EXPECT_EQ(centred.anchorTarget, "x");
  EXPECT_EQ(centred.anchorRect, (Rect{102, 17, 108, 34}));
}

TEST(MarkupHitTest, AnImageInsideAnAnchorIsPartOfIt) {
  TestCanvas canvas;
  canvas.imageCount = 1;
  const std::string_view markup = "<a href=\"pic\"><IMG src=\"idx:0\"></a> text";
  const MarkupResult result = HitTest(canvas, markup, {8, 5});
  EXPECT_TRUE(result.overAnchor);
  EXPECT_EQ(result.anchorTarget, "pic");
  EXPECT_EQ(result.anchorRect, (Rect{1, 0, 17, 17}));
  EXPECT_FALSE(HitTest(canvas, markup, {30, 5}).overAnchor);
}

TEST(MarkupHitTest, HiddenTextIsNeverUnderThePointer) {
  TestCanvas canvas;
  EXPECT_FALSE(HitTest(canvas, "<Z><a href=\"h\">hidden</a></Z>", {10, 10}).overAnchor);
}

TEST(MarkupHitTest, DrawingCallsDoNotHitTest) {
  TestCanvas canvas;
  MarkupOptions options;
  options.point = Point{5, 10};
  const MarkupResult result =
      DrawMarkup(canvas, "<a href=\"x\">xxxx</a>", {0, 0, 300, 1000}, options);
  EXPECT_FALSE(result.overAnchor);
  EXPECT_FALSE(canvas.ops.empty());
}

}  // namespace
}  // namespace lumivane
